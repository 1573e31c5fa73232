# Las banderas de cada compilador, y lo que cada compilación no puede hacer, dicho en una línea al
# configurar (nunca como un error del compilador).

if(MSVC)
    # /utf-8: los fuentes y los textos del programa son UTF-8; /Zc:__cplusplus: __cplusplus dice
    # de verdad C++17. Los avisos como errores, con CMAKE_COMPILE_WARNING_AS_ERROR (el preset).
    add_compile_options(/W4 /permissive- /utf-8 /Zc:__cplusplus /EHsc)
    add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
else()
    add_compile_options(-Wall -Wextra -Wpedantic)
endif()

# EJ_SANITIZADORES (preset sanitize): AddressSanitizer y UndefinedBehaviorSanitizer, que paran
# en el primer error.
option(EJ_SANITIZADORES "AddressSanitizer + UndefinedBehaviorSanitizer" OFF)
if(EJ_SANITIZADORES)
    if(MSVC)
        message(NOTICE "MSVC no tiene UndefinedBehaviorSanitizer: esta compilación solo lleva "
                       "AddressSanitizer (la completa, con los dos, en Linux o con clang).")
        add_compile_options(/fsanitize=address /Zi)
    elseif(WIN32)
        message(NOTICE "MinGW no trae los sanitizadores: esta compilación no los lleva "
                       "(compílala en Linux, en macOS o con MSVC).")
    else()
        set(ej_sanitizadores -fsanitize=address,undefined -fno-sanitize-recover=all
                             -fno-omit-frame-pointer)
        add_compile_options(${ej_sanitizadores})
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()

# EJ_FUZZ (preset fuzz): libFuzzer, que solo está con clang; los objetivos enlazan con --wrap, de
# GNU ld, así que solo en Linux.
if(EJ_FUZZ AND NOT (CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND CMAKE_SYSTEM_NAME STREQUAL "Linux"))
    message(NOTICE "El fuzzing necesita clang en Linux (libFuzzer y el enlazador de GNU): esta "
                   "compilación no tiene objetivos de fuzzing.")
    set(EJ_FUZZ OFF)
endif()

# EJ_LIGERO: las banderas de lo que es herramienta y no ejercicio (el núcleo con las tablas de
# casos, el comprobador con su analizador y su lanzadera, y las pruebas). -Og optimiza lo que
# cuesta poco: compila en la mitad de tiempo que -O2/-O3, y lo que hacen (leer tablas, lanzar
# procesos y esperarlos) no se nota. Los programas de los ejercicios y las sondas con la
# respuesta modelo siguen con la optimización de su preset.
set(EJ_LIGERO "$<$<AND:$<NOT:$<CONFIG:Debug>>,$<CXX_COMPILER_ID:GNU,Clang,AppleClang>>:-Og>")

# sqrtf (ellipsegirth) está en la biblioteca matemática solo en los sistemas que la separan.
if(NOT WIN32 AND NOT APPLE)
    find_library(EJ_LIBM m)
endif()
if(NOT EJ_LIBM)
    set(EJ_LIBM "")
endif()

# ej_plataforma(<objetivo>): lo que un programa necesita en Windows para comportarse como en
# Linux, sin tocar su fuente: la consola en UTF-8 y, con MinGW, el atof de C99.
function(ej_plataforma objetivo)
    if(WIN32)
        target_sources(${objetivo} PRIVATE ${PROJECT_SOURCE_DIR}/plataforma/consola_utf8.cpp)
        if(MINGW)
            target_sources(${objetivo} PRIVATE ${PROJECT_SOURCE_DIR}/plataforma/atof_c99.cpp)
        endif()
    endif()
endfunction()

# EJ_PILA (bytes): el tamaño de la pila del programa en Windows, para medir los topes de la
# recursión con la de MSVC (1 MiB) en lugar de la de MinGW (2 MiB).
set(EJ_PILA "" CACHE STRING "Pila de los programas en Windows, en bytes (vacío: la del enlazador)")
if(EJ_PILA AND MINGW)
    add_link_options(-Wl,--stack,${EJ_PILA})
elseif(EJ_PILA AND MSVC)
    add_link_options(/STACK:${EJ_PILA})
endif()
