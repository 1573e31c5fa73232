# El lanzador de los ejercicios, el mismo en todos los sistemas: lo ejecutan ./ejercicios (sh,
# Linux y macOS) y ejercicios.cmd (cmd y PowerShell, Windows) con
#   cmake -P lanzador/ejercicios.cmake -- ARGUMENTOS...
# y en la variable de entorno EJ_ORDEN el archivo donde dejar lo que ellos ejecutan después.
#   ./ejercicios            lista los ejercicios por tema
#   ./ejercicios NOMBRE     compila si hace falta y ejecuta ese programa en la terminal
#   ./ejercicios --demo     compila si hace falta y ejecuta cada ejercicio con una entrada de ejemplo
#   ./ejercicios practicar NOMBRE              crea practica/NOMBRE.cpp para resolverlo uno mismo
#   ./ejercicios comprobar NOMBRE [RUTA...]    comprueba una solución (o varias entregas)
#   ./ejercicios corregir DESCARGA...          corrige una clase desde las descargas del curso
#
# Este guion lo decide y lo prepara todo, pero no ejecuta el programa del alumno ni el
# comprobador: cmake no puede reemplazarse por otro proceso ni terminar con un estado que no sea 0
# o 1. Lo que queda por hacer lo deja escrito en EJ_ORDEN, en el lenguaje de quien lo llamó (sh, o
# cmd si el archivo termina en .cmd), y ese lo ejecuta: así el programa tiene la terminal y su
# estado de salida (o la señal que lo mató) es el de ./ejercicios. Lo escrito nunca lleva una
# ruta, solo las variables de quien lo ejecuta: cmd lee sus archivos en la página de códigos de
# la consola, y una ruta con acentos no llegaría entera.
cmake_minimum_required(VERSION 3.25)

get_filename_component(raiz "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(arbol "${raiz}/build/default")
set(registro "${raiz}/build/ejercicios-compilacion.log")
set(cerrojo "${raiz}/build/.compilacion.lock")
if(CMAKE_HOST_WIN32)
    set(exe ".exe")
else()
    set(exe "")
endif()
# EJ_BIN permite usar otra carpeta de programas ya compilados (la usan las pruebas); entonces el
# lanzador no compila nada.
if("$ENV{EJ_BIN}" STREQUAL "")
    set(compila TRUE)
    set(bin "${arbol}/bin")
else()
    set(compila FALSE)
    file(TO_CMAKE_PATH "$ENV{EJ_BIN}" bin)
    get_filename_component(bin "${bin}" ABSOLUTE)
endif()

# Lo que no va a la terminal (las entradas de la demostración, las salidas de cmake antes de
# pasar al registro) se escribe en una carpeta propia de esta ejecución: dos lanzamientos a la
# vez no se pisan.
set(temporal "/tmp")
foreach(carpeta "$ENV{TEMP}" "$ENV{TMPDIR}")
    if(IS_DIRECTORY "${carpeta}")
        file(TO_CMAKE_PATH "${carpeta}" temporal)
    endif()
endforeach()
string(RANDOM LENGTH 12 ALPHABET "abcdefghijklmnopqrstuvwxyz0123456789" azar)
set(temporal "${temporal}/ejercicios-${azar}")
file(MAKE_DIRECTORY "${temporal}")
file(WRITE "${temporal}/vacia" "")

# --- La orden que ejecuta quien llamó a este guion ------------------------------------------

file(TO_CMAKE_PATH "$ENV{EJ_ORDEN}" orden)
unset(ENV{EJ_ORDEN})  # es de este guion, no de lo que ejecuta
if(orden STREQUAL "")
    file(REMOVE_RECURSE "${temporal}")
    message(FATAL_ERROR "Este guion lo ejecutan ./ejercicios y ejercicios.cmd.")
endif()
if(orden MATCHES "\\.[cC][mM][dD]$")
    set(lenguaje cmd)
else()
    set(lenguaje sh)
endif()

function(ej_orden sh cmd)
    if(lenguaje STREQUAL "cmd")
        file(WRITE "${orden}" "@${cmd}\r\n")
    else()
        file(WRITE "${orden}" "${sh}\n")
    endif()
endfunction()

function(ej_salir estado)
    ej_orden("exit ${estado}" "exit /b ${estado}")
endfunction()

# ej_lanzar(<base> <relativa> <argumentos> <cls>): ejecutar <base>/<relativa>, donde <base> es
# "raiz" (la raíz de la colección) o "bin" (la carpeta EJ_BIN); con <argumentos>, los de
# ./ejercicios tal cual; con <cls>, delante en el PATH la "cls" de lanzador/cls, donde el sistema
# no tiene una propia (en Windows es una orden de cmd).
function(ej_lanzar base relativa argumentos cls)
    if(base STREQUAL "raiz")
        set(sh "$raiz")
        set(cmd "%ej_raiz%")
    else()
        set(sh "$EJ_BIN")
        set(cmd "%EJ_BIN%")
    endif()
    set(sh "exec \"${sh}/${relativa}${exe}\"")
    string(REPLACE "/" "\\" relativa "${relativa}")
    set(cmd "\"${cmd}\\${relativa}${exe}\"")
    if(argumentos)
        string(APPEND sh " \"$@\"")
        string(APPEND cmd " %*")
    endif()
    if(cls AND NOT CMAKE_HOST_WIN32)
        set(sh "PATH=\"$raiz/lanzador/cls:$PATH\" ${sh}")
    endif()
    ej_orden("${sh}" "${cmd}")
endfunction()

# --- La terminal ----------------------------------------------------------------------------

# message() va a la salida de error y añade el fin de línea; para la salida estándar, los bytes
# tal cual, los escribe otra cmake.
function(ej_escribir texto)
    file(WRITE "${temporal}/escrito" "${texto}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E cat "${temporal}/escrito")
endfunction()

function(ej_uso var)
    set(${var} [[
Uso: ./ejercicios              lista los ejercicios
     ./ejercicios NOMBRE       ejecuta un ejercicio (por ejemplo: ./ejercicios ringchain)
     ./ejercicios --demo       ejecuta todos con una entrada de ejemplo
     ./ejercicios practicar NOMBRE
                               crea practica/NOMBRE.cpp con el enunciado, para resolverlo
     ./ejercicios comprobar NOMBRE [RUTA...] [--junit ARCHIVO]
                               comprueba tu solución (por defecto practica/NOMBRE.cpp) o
                               varias entregas, con un informe de cada una
     ./ejercicios corregir DESCARGA... [--salida CARPETA] [--hoja EJERCICIO=HOJA.csv]
                               corrige una clase desde las descargas de la plataforma del
                               curso: notas, retroalimentación y la página de la clase
]] PARENT_SCOPE)
endfunction()

# --- El catálogo ----------------------------------------------------------------------------

# Sus líneas sin comentarios (catalogo.txt explica sus campos):
# tema|programa|fuente|forma|lee|nodos|descripción|entrada de ejemplo
file(STRINGS "${raiz}/catalogo.txt" catalogo ENCODING UTF-8 REGEX "^[^#]")

# ej_campos(): los campos de la línea que está en la variable linea, en variables del mismo
# nombre; además, carpeta (la del fuente, absoluta) y binario (el programa compilado).
macro(ej_campos)
    string(REPLACE "|" ";" campos "${linea}")
    list(GET campos 0 tema)
    list(GET campos 1 programa)
    list(GET campos 2 fuente)
    list(GET campos 3 forma)
    list(GET campos 4 lee)
    list(GET campos 5 nodos)
    list(GET campos 6 descripcion)
    list(GET campos 7 entrada)
    get_filename_component(carpeta "${raiz}/${fuente}" DIRECTORY)
    set(binario "${bin}/${programa}${exe}")
endmacro()

# --- ¿Hay que compilar? ---------------------------------------------------------------------

# ej_mas_reciente(<var> <binario> <ruta>...): el binario no existe o algo de esas rutas (de las
# carpetas, también ellas mismas y sus subcarpetas) es más nuevo que él.
function(ej_mas_reciente var binario)
    set(${var} TRUE PARENT_SCOPE)
    if(NOT EXISTS "${binario}" OR IS_DIRECTORY "${binario}")
        return()
    endif()
    foreach(ruta IN LISTS ARGN)
        set(rutas "${ruta}")
        if(IS_DIRECTORY "${ruta}")
            file(GLOB_RECURSE dentro LIST_DIRECTORIES true "${ruta}/*")
            list(APPEND rutas ${dentro})
        endif()
        foreach(r IN LISTS rutas)
            # IS_NEWER_THAN también es cierto con la misma hora, y la hora de los archivos avanza
            # a saltos: un fuente de la misma hora que su binario no es más nuevo.
            if(EXISTS "${r}" AND "${r}" IS_NEWER_THAN "${binario}"
               AND NOT "${binario}" IS_NEWER_THAN "${r}")
                return()
            endif()
        endforeach()
    endforeach()
    set(${var} FALSE PARENT_SCOPE)
endfunction()

# ¿Hay que compilar el programa? Sí si no existe o si algo de la carpeta de su fuente (o el
# catálogo, la configuración de CMake o lo que se enlaza en Windows) es más reciente que él. Si
# no, ni siquiera se llama a cmake.
function(ej_desactualizado var)
    ej_mas_reciente(r "${binario}" "${carpeta}" "${raiz}/CMakeLists.txt"
                    "${raiz}/CMakePresets.json" "${raiz}/catalogo.txt" "${raiz}/cmake"
                    "${raiz}/plataforma")
    set(${var} ${r} PARENT_SCOPE)
endfunction()

# Tras compilar bien, los binarios quedan más nuevos que su carpeta aunque el compilador no los
# haya rehecho (un archivo que no usan, como los casos del comprobador, cambió): así la vez
# siguiente no se llama a cmake, y la demostración no los cree rotos.
function(ej_al_dia)
    foreach(b IN LISTS ARGN)
        if(EXISTS "${b}")
            file(TOUCH_NOCREATE "${b}")
        endif()
    endforeach()
endfunction()

# --- La compilación -------------------------------------------------------------------------

# Compilación con el preset default, solo de lo que se va a ejecutar, con el generador que elija
# CMake (el de la variable de entorno CMAKE_GENERATOR, o el suyo por defecto). La primera vez
# también configura; una configuración que falló o se interrumpió no deja el archivo de
# compilación de su generador, así que se repite la vez siguiente. El registro completo queda en
# build/ejercicios-compilacion.log.

# El generador del árbol según su CMakeCache.txt (vacío si no hay caché).
function(ej_generador var)
    set(g "")
    if(EXISTS "${arbol}/CMakeCache.txt")
        file(STRINGS "${arbol}/CMakeCache.txt" g REGEX "^CMAKE_GENERATOR:INTERNAL=" LIMIT_COUNT 1)
        string(REPLACE "CMAKE_GENERATOR:INTERNAL=" "" g "${g}")
    endif()
    set(${var} "${g}" PARENT_SCOPE)
endfunction()

# Los archivos de compilación que deja en el árbol el generador <g> al terminar de configurar
# (vacío si no hay caché o el generador no es uno de estos).
function(ej_archivos_del_generador var g)
    set(patron "")
    if(g MATCHES "^Ninja")
        set(patron "build.ninja")
    elseif(g MATCHES "Makefiles")
        set(patron "Makefile")
    elseif(g MATCHES "^Visual Studio")
        set(patron "*.sln")
    elseif(g STREQUAL "Xcode")
        set(patron "*.xcodeproj")
    endif()
    set(archivos "")
    if(patron)
        file(GLOB archivos LIST_DIRECTORIES true "${arbol}/${patron}")
    endif()
    set(${var} "${archivos}" PARENT_SCOPE)
endfunction()

# El árbol está configurado si tiene caché y el archivo de compilación de su generador.
function(ej_configurado var)
    ej_generador(g)
    ej_archivos_del_generador(archivos "${g}")
    if(archivos)
        set(${var} TRUE PARENT_SCOPE)
    else()
        set(${var} FALSE PARENT_SCOPE)
    endif()
endfunction()

# ej_cmake(<var> <argumento>...): cmake con esos argumentos desde la raíz (la del PATH, la misma
# que ejecuta este guion), sin la entrada del alumno y con las dos salidas, en su orden, añadidas
# al registro. <var> dice si terminó bien.
# Con la variable avance (un título), en Linux y macOS, la orden pasa por lanzador/avance, que
# muestra en la terminal cuánto lleva; con avance_programas (un número), cuántos programas de
# esos lleva compilados.
function(ej_cmake var)
    if(avance AND lenguaje STREQUAL "sh")
        set(cuenta "")
        if(avance_programas)
            set(cuenta --programas ${avance_programas})
        endif()
        execute_process(COMMAND sh "${raiz}/lanzador/avance" ${cuenta} "${avance}" cmake ${ARGN}
                        WORKING_DIRECTORY "${raiz}"
                        INPUT_FILE "${temporal}/vacia"
                        OUTPUT_FILE "${temporal}/cmake.log"
                        RESULT_VARIABLE estado)
    else()
        execute_process(COMMAND cmake ${ARGN}
                        WORKING_DIRECTORY "${raiz}"
                        INPUT_FILE "${temporal}/vacia"
                        OUTPUT_FILE "${temporal}/cmake.log"
                        ERROR_FILE "${temporal}/cmake.log"
                        RESULT_VARIABLE estado)
    endif()
    file(READ "${temporal}/cmake.log" salida)
    file(APPEND "${registro}" "${salida}")
    if(estado STREQUAL "0")
        set(${var} TRUE PARENT_SCOPE)
    else()
        set(${var} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Dos órdenes a la vez (dos comprobaciones en una clase) comparten el mismo árbol: la segunda
# espera a que acabe la primera, y entonces ya no le queda nada que compilar.
function(ej_bloquear)
    file(MAKE_DIRECTORY "${raiz}/build")
    file(LOCK "${cerrojo}" GUARD PROCESS TIMEOUT 0 RESULT_VARIABLE libre)
    if(NOT libre STREQUAL "0")
        message("Otra orden está compilando (la preparación que empezó practicar, u otra "
                "comprobación): se espera a que termine...")
        file(LOCK "${cerrojo}" GUARD PROCESS)
    endif()
endfunction()

function(ej_soltar)
    file(LOCK "${cerrojo}" RELEASE)
endfunction()

# ej_construir(<var> <objetivo>...): la compilación de esos objetivos del árbol ya configurado, que
# sigue con los demás tras un error (la opción depende del generador), añadida al registro.
function(ej_construir var objetivo)
    ej_generador(g)
    set(seguir "")
    if(g MATCHES "^Ninja")
        set(seguir -- -k 0)
    elseif(g MATCHES "Makefiles")
        set(seguir -- -k)
    endif()
    # El avance de ninja con la misma forma siempre, para quitarlo de los diagnósticos.
    set(antes "$ENV{NINJA_STATUS}")
    set(ENV{NINJA_STATUS} "[%f/%t] ")
    if(NOT avance)
        set(avance "Compilando")
    endif()
    ej_cmake(bien --build --preset default --target ${objetivo} ${ARGN} ${seguir})
    if(antes STREQUAL "")
        unset(ENV{NINJA_STATUS})
    else()
        set(ENV{NINJA_STATUS} "${antes}")
    endif()
    set(${var} ${bien} PARENT_SCOPE)
endfunction()

# ej_compilar(<var> <objetivo> <texto> <binario> [<cuánto tarda la primera vez>]): compila un
# objetivo de CMake (un programa,
# "programas" o "comprobador"). <var> queda en "bien", "configuracion" (no se pudo configurar,
# y ya está dicho) o "compilacion" (algo no compiló: el registro está escrito desde el byte
# <inicio>, que queda en la variable inicio).
function(ej_compilar var objetivo texto binario)
    # Lo que tarda la primera vez (medido en una máquina de dos núcleos): lo dice quien llama.
    set(cuanto "unos segundos")
    if(ARGC GREATER 4)
        set(cuanto "${ARGV4}")
    endif()
    ej_configurado(configurado)
    if(configurado AND EXISTS "${binario}")
        message("Compilando ${texto}...")
    else()
        message("Compilando ${texto} (la primera vez tarda ${cuanto})...")
    endif()
    ej_bloquear()
    file(WRITE "${registro}" "")
    # Otro lanzamiento pudo configurar mientras este esperaba.
    ej_configurado(configurado)
    if(NOT configurado)
        ej_cmake(bien --preset default)
        if(NOT bien)
            # Sin caché la próxima vez se configura de nuevo, con el generador que toque entonces.
            ej_generador(g)
            ej_archivos_del_generador(archivos "${g}")
            file(REMOVE_RECURSE "${arbol}/CMakeCache.txt" ${archivos})
            ej_soltar()
            file(READ "${registro}" todo)
            ej_sin_ruido(todo "${todo}" "^-- ")
            if(NOT todo STREQUAL "")
                message("${todo}")
            endif()
            message("No se pudo preparar la compilación (cmake --preset default); se intentará "
                    "de\nnuevo la próxima vez. El registro completo está en "
                    "build/ejercicios-compilacion.log")
            set(${var} configuracion PARENT_SCOPE)
            return()
        endif()
    endif()
    file(SIZE "${registro}" inicio)
    set(inicio ${inicio} PARENT_SCOPE)
    set(avance "Compilando ${texto}")
    ej_construir(bien ${objetivo})
    ej_soltar()
    if(bien)
        set(${var} bien PARENT_SCOPE)
    else()
        set(${var} compilacion PARENT_SCOPE)
    endif()
endfunction()

# ej_sin_ruido(<var> <texto> <expresión>): el texto sin las líneas que cumplen la expresión, y
# sin el último fin de línea, para message(). Las líneas se separan sin las listas de CMake, en
# las que ";" y los corchetes de los mensajes del compilador significarían otra cosa.
function(ej_sin_ruido var texto quitar)
    ej_lineas(lineas "${texto}")
    set(limpio "")
    foreach(linea IN LISTS lineas)
        ej_linea(linea "${linea}")
        if(NOT linea MATCHES "${quitar}")
            string(APPEND limpio "${linea}\n")
        endif()
    endforeach()
    ej_fin(limpio "${limpio}")
    set(${var} "${limpio}" PARENT_SCOPE)
endfunction()

# Los caracteres que las listas de CMake interpretan (también la barra, que escapa el ";" que
# la sigue), cambiados por otros que no salen en los mensajes (ej_linea los devuelve).
string(ASCII 1 ej_punto_y_coma)
string(ASCII 2 ej_abre)
string(ASCII 3 ej_cierra)
string(ASCII 4 ej_barra)

function(ej_lineas var texto)
    string(REPLACE "\r\n" "\n" texto "${texto}")
    string(REPLACE "\\" "${ej_barra}" texto "${texto}")
    string(REPLACE ";" "${ej_punto_y_coma}" texto "${texto}")
    string(REPLACE "[" "${ej_abre}" texto "${texto}")
    string(REPLACE "]" "${ej_cierra}" texto "${texto}")
    string(REGEX REPLACE "\n$" "" texto "${texto}")
    if(texto STREQUAL "")
        set(${var} "" PARENT_SCOPE)
    else()
        string(REPLACE "\n" ";" texto "${texto}")
        set(${var} "${texto}" PARENT_SCOPE)
    endif()
endfunction()

function(ej_linea var linea)
    string(REPLACE "${ej_punto_y_coma}" ";" linea "${linea}")
    string(REPLACE "${ej_abre}" "[" linea "${linea}")
    string(REPLACE "${ej_cierra}" "]" linea "${linea}")
    string(REPLACE "${ej_barra}" "\\" linea "${linea}")
    set(${var} "${linea}" PARENT_SCOPE)
endfunction()

function(ej_relativa var linea)
    string(REPLACE "${raiz}/" "" linea "${linea}")
    if(CMAKE_HOST_WIN32)
        file(TO_NATIVE_PATH "${raiz}/" nativa)
        string(REPLACE "${nativa}" "" linea "${linea}")
    endif()
    set(${var} "${linea}" PARENT_SCOPE)
endfunction()

function(ej_fin var texto)
    string(REGEX REPLACE "\n$" "" texto "${texto}")
    set(${var} "${texto}" PARENT_SCOPE)
endfunction()

# Lo que dijo el compilador (o cmake) desde el byte <inicio> del registro, sin el ruido de make,
# de ninja ni de cmake, y con rutas relativas a la raíz; lo escribe en la salida de error. De
# ninja se quitan el avance ("[3/10] Building CXX object ..."), sus avisos ("ninja: build
# stopped: ...") y cada "FAILED: ..." con la orden que falló, en la línea siguiente; de make
# (make, gmake, mingw32-make...) sus líneas "make[2]: ..." y su avance ("[ 50%] ...", o sin el
# porcentaje si otra compilación en el mismo árbol acaba antes y borra el contador); de cmake, sus
# líneas "-- " y las variables del preset.
function(ej_diagnosticos inicio)
    file(READ "${registro}" texto OFFSET ${inicio})
    ej_lineas(lineas "${texto}")
    set(limpio "")
    set(orden FALSE)
    set(preset FALSE)
    foreach(linea IN LISTS lineas)
        ej_linea(linea "${linea}")
        if(orden)
            set(orden FALSE)
            continue()
        endif()
        if(linea MATCHES "^FAILED: ")
            set(orden TRUE)
            continue()
        endif()
        if(linea MATCHES "^Preset (CMake|environment) variables:$")
            set(preset TRUE)
            continue()
        endif()
        if(preset AND (linea STREQUAL "" OR linea MATCHES "^  "))
            continue()
        endif()
        set(preset FALSE)
        if(linea MATCHES "^[A-Za-z0-9_.-]*make(\\.exe)?(\\[[0-9]+\\])?: "
           OR linea MATCHES "^\\[ *[0-9]+%\\] " OR linea MATCHES "^\\[[0-9]+/[0-9]+\\] "
           OR linea MATCHES "^ninja: " OR linea MATCHES "^-- "
           OR linea MATCHES "^Consolidate compiler" OR linea MATCHES "^Scanning dependencies"
           OR linea MATCHES "^(Building|Linking) [A-Za-z]+ " OR linea MATCHES "^Built target ")
            continue()
        endif()
        ej_relativa(linea "${linea}")
        string(APPEND limpio "${linea}\n")
    endforeach()
    ej_fin(limpio "${limpio}")
    if(NOT limpio STREQUAL "")
        message("${limpio}")
    endif()
endfunction()

# --- Las órdenes ----------------------------------------------------------------------------

function(ej_listar)
    set(texto "")
    set(tema_anterior "")
    foreach(linea IN LISTS catalogo)
        ej_campos()
        if(NOT tema STREQUAL tema_anterior)
            if(NOT tema_anterior STREQUAL "")
                string(APPEND texto "\n")
            endif()
            string(APPEND texto "${tema}\n")
            set(tema_anterior "${tema}")
        endif()
        set(marca "")
        if(NOT EXISTS "${raiz}/${fuente}")
            set(marca " (aún no disponible)")
        endif()
        if(lee STREQUAL "si")
            set(marca " [lee la entrada]${marca}")
        endif()
        string(LENGTH "${programa}" n)
        set(relleno "")
        if(n LESS 15)
            math(EXPR n "15 - ${n}")
            string(REPEAT " " ${n} relleno)
        endif()
        string(APPEND texto "  ${programa}${relleno} ${descripcion}${marca}\n")
    endforeach()
    ej_escribir("${texto}")
endfunction()

function(ej_ejecutar nombre)
    foreach(linea IN LISTS catalogo)
        ej_campos()
        if(programa STREQUAL nombre)
            break()
        endif()
    endforeach()
    if(NOT programa STREQUAL nombre)
        ej_no_existe("${nombre}")
        return()
    endif()
    if(NOT EXISTS "${raiz}/${fuente}")
        message("El ejercicio \"${nombre}\" aún no está disponible.")
        ej_salir(2)
        return()
    endif()
    if(compila)
        ej_desactualizado(hace_falta)
        if(hace_falta)
            ej_compilar(resultado "${programa}" "${programa}" "${binario}")
            if(resultado STREQUAL "compilacion")
                ej_diagnosticos(${inicio})
                message("No se pudo compilar ${programa}: arriba están los errores del "
                        "compilador.\nEl registro completo está en build/ejercicios-compilacion.log")
            endif()
            if(NOT resultado STREQUAL "bien")
                ej_salir(1)
                return()
            endif()
            ej_al_dia("${binario}")
        endif()
        # ellipsegirth llama a "cls": fuera de Windows la aporta lanzador/cls.
        ej_lanzar(raiz "build/default/bin/${programa}" FALSE TRUE)
    else()
        ej_lanzar(bin "${programa}" FALSE TRUE)
    endif()
endfunction()

# Programas disponibles que no se compilaron, tras compilar "programas" sin parar en el primer
# error: los que no tienen binario o lo tienen más viejo que algo de la carpeta de su fuente.
# Ese algo puede ser de otro programa (el fuente roto de al lado): a los que tienen binario se
# les pide además su propio objetivo, que no rehace nada si ya estaban al día.
function(ej_fallidos var)
    set(rotos "")
    foreach(linea IN LISTS catalogo)
        ej_campos()
        if(NOT EXISTS "${raiz}/${fuente}")
            continue()
        endif()
        ej_mas_reciente(viejo "${binario}" "${carpeta}")
        if(NOT viejo)
            continue()
        endif()
        set(bien FALSE)
        if(EXISTS "${binario}")
            ej_construir(bien "${programa}")
        endif()
        if(bien)
            ej_al_dia("${binario}")
        else()
            list(APPEND rotos "${programa}")
        endif()
    endforeach()
    set(${var} "${rotos}" PARENT_SCOPE)
endfunction()

# ej_printf(<var> <formato>): lo que escribe printf con ese formato y sin argumentos, que es como
# la escriben las transcripciones de la demostración: \n, \t, \\ y los demás escapes de printf,
# \NNN en octal y %%; otra barra queda tal cual, como en el printf de sh. Una entrada no usa
# conversiones (%d), y un carácter nulo no cabe en un texto de CMake.
function(ej_printf var formato)
    set(escapes "a;7;b;8;f;12;n;10;r;13;t;9;v;11")
    set(texto "")
    string(LENGTH "${formato}" n)
    set(i 0)
    while(i LESS n)
        string(SUBSTRING "${formato}" ${i} 1 c)
        math(EXPR i "${i} + 1")
        string(SUBSTRING "${formato}" ${i} 1 siguiente)
        if(c STREQUAL "%" AND siguiente STREQUAL "%")
            math(EXPR i "${i} + 1")
        elseif(c STREQUAL "\\" AND NOT siguiente STREQUAL "")
            math(EXPR i "${i} + 1")
            list(FIND escapes "${siguiente}" p)
            if(siguiente MATCHES "^[0-7]$")
                # Hasta tres cifras octales.
                string(SUBSTRING "${formato}" ${i} 2 resto)
                if(resto MATCHES "^([0-7]+)")
                    set(resto "${CMAKE_MATCH_1}")
                else()
                    set(resto "")
                endif()
                string(LENGTH "${resto}" largo)
                math(EXPR i "${i} + ${largo}")
                set(codigo 0)
                string(REGEX MATCHALL "." cifras "${siguiente}${resto}")
                foreach(cifra IN LISTS cifras)
                    math(EXPR codigo "${codigo} * 8 + ${cifra}")
                endforeach()
                math(EXPR codigo "${codigo} % 256")  # un byte, como printf
                if(codigo GREATER 0)
                    string(ASCII ${codigo} c)
                else()
                    set(c "")
                endif()
            elseif(p GREATER_EQUAL 0 AND siguiente MATCHES "^[abfnrtv]$")
                math(EXPR p "${p} + 1")
                list(GET escapes ${p} codigo)
                string(ASCII ${codigo} c)
            elseif(siguiente STREQUAL "\\")
                set(c "\\")
            else()
                set(c "\\${siguiente}")
            endif()
        endif()
        string(APPEND texto "${c}")
    endwhile()
    set(${var} "${texto}" PARENT_SCOPE)
endfunction()

# El estado con que termina un programa como lo escribe sh: el número, o 128 más el de la señal
# que lo mató (execute_process la nombra con un texto).
function(ej_estado var resultado)
    set(senales "User interrupt;2;SIGHUP;1;SIGQUIT;3;Illegal instruction;4;SIGTRAP;5"
                "Subprocess aborted;6;Floating-point exception;8;Subprocess killed;9"
                "Segmentation fault;11;SIGPIPE;13;SIGALRM;14;Subprocess terminated;15")
    if(CMAKE_HOST_APPLE)
        list(APPEND senales "Bus error;10")
    else()
        list(APPEND senales "Bus error;7")
    endif()
    list(FIND senales "${resultado}" p)
    if(p GREATER_EQUAL 0 AND NOT resultado MATCHES "^[0-9]+$")
        math(EXPR p "${p} + 1")
        list(GET senales ${p} senal)
        math(EXPR resultado "128 + ${senal}")
    endif()
    set(${var} "${resultado}" PARENT_SCOPE)
endfunction()

function(ej_demo)
    set(rotos "")
    if(compila)
        set(pendiente FALSE)
        set(binarios "")
        set(primer_binario "")
        foreach(linea IN LISTS catalogo)
            ej_campos()
            list(APPEND binarios "${binario}")
            if(primer_binario STREQUAL "")
                set(primer_binario "${binario}")
            endif()
            if(NOT pendiente AND EXISTS "${raiz}/${fuente}")
                ej_desactualizado(pendiente)
            endif()
        endforeach()
        if(pendiente)
            list(LENGTH binarios avance_programas)
            ej_compilar(resultado programas "los ejercicios" "${primer_binario}")
            if(resultado STREQUAL "configuracion")
                ej_salir(1)
                return()
            elseif(resultado STREQUAL "bien")
                ej_al_dia(${binarios})
            else()
                # Si lo que falla es la configuración de CMake, no es de ningún programa (y
                # compilarlos uno a uno los culparía a todos): se pregunta a cmake antes.
                set(compilacion ${inicio})
                ej_bloquear()
                file(SIZE "${registro}" inicio)
                ej_cmake(configura --preset default)
                if(configura)
                    set(inicio ${compilacion})
                    ej_fallidos(rotos)
                endif()
                ej_soltar()
                if(rotos)
                    list(JOIN rotos " " nombres)
                    message("No se pudieron compilar: ${nombres} (./ejercicios NOMBRE muestra sus "
                            "errores).\nLos demás se ejecutan igualmente.")
                else()
                    # Lo que falló no es de ningún programa (la configuración de CMake, por
                    # ejemplo).
                    ej_diagnosticos(${inicio})
                    message("No se pudo compilar: arriba están los errores. Se ejecutan los "
                            "programas\nque ya estaban compilados.")
                endif()
            endif()
        endif()
    endif()
    # En la demostración la pantalla no se limpia entre ejercicios: la "cls" de lanzador/mudo no
    # hace nada (fuera de Windows; allí cls es de cmd).
    if(NOT CMAKE_HOST_WIN32)
        set(ENV{PATH} "${raiz}/lanzador/mudo:$ENV{PATH}")
    endif()
    foreach(linea IN LISTS catalogo)
        ej_campos()
        set(texto "=== ${programa} (${tema}): ${descripcion}\n")
        if(programa IN_LIST rotos)
            set(aviso "(no compila: ./ejercicios ${programa} muestra los errores del compilador)")
            ej_escribir("${texto}${aviso}\n\n")
            continue()
        endif()
        if(NOT EXISTS "${binario}" OR IS_DIRECTORY "${binario}")
            ej_escribir("${texto}(aún no disponible)\n\n")
            continue()
        endif()
        # La transcripción es una orden que se puede copiar en una terminal desde la raíz.
        if(entrada STREQUAL "")
            string(APPEND texto "$ ./ejercicios ${programa}\n")
        else()
            string(APPEND texto "$ printf '${entrada}' | ./ejercicios ${programa}\n")
        endif()
        ej_printf(bytes "${entrada}")
        file(WRITE "${temporal}/entrada" "${bytes}")
        execute_process(COMMAND "${binario}"
                        WORKING_DIRECTORY "${bin}"
                        INPUT_FILE "${temporal}/entrada"
                        OUTPUT_FILE "${temporal}/salida"
                        ERROR_FILE "${temporal}/salida"
                        RESULT_VARIABLE resultado)
        file(READ "${temporal}/salida" salida)
        if(NOT resultado STREQUAL "0")
            ej_estado(estado "${resultado}")
            string(APPEND salida "(terminó con estado ${estado})\n")
        endif()
        # Algunos programas terminan sin fin de línea: se añade para separar la transcripción.
        if(NOT salida STREQUAL "" AND NOT salida MATCHES "\n$")
            string(APPEND salida "\n")
        endif()
        ej_escribir("${texto}${salida}\n")
    endforeach()
endfunction()

# El comprobador usa el núcleo y los casos de la carpeta de cada ejercicio, y la respuesta modelo
# (el programa y su sonda) para lo esperado de las entradas sorteadas: para comprobar un
# ejercicio se compila solo la suya; para corregir una clase, las de todos.
# ej_necesita(<qué> <ejercicio>): lo que esa orden (comprobar, corregir) necesita compilar: el
# comprobador y, para comprobar, la respuesta modelo de ese ejercicio (su programa y su sonda);
# para corregir, las de todos. Deja en objetivos los objetivos de CMake, en binarios lo que
# producen y en hace_falta si alguno falta o es más viejo que sus fuentes.
macro(ej_necesita que cual)
    set(herramienta "${arbol}/comprobador/comprobador${exe}")
    set(rutas "${raiz}/comprobador" "${raiz}/nucleo" "${raiz}/cmake" "${raiz}/CMakeLists.txt"
              "${raiz}/CMakePresets.json" "${raiz}/catalogo.txt")
    set(objetivos comprobador)
    if("${que}" STREQUAL "corregir")
        set(objetivos comprobador_todo)
    endif()
    set(binarios "${herramienta}")
    foreach(linea IN LISTS catalogo)
        ej_campos()
        list(APPEND rutas "${carpeta}/${programa}")
        if("${que}" STREQUAL "corregir" OR programa STREQUAL "${cual}")
            if("${que}" STREQUAL "comprobar")
                list(APPEND objetivos ${programa})
            endif()
            list(APPEND binarios "${binario}")
            if(EXISTS "${carpeta}/${programa}/${programa}_sonda.cpp")
                if("${que}" STREQUAL "comprobar")
                    list(APPEND objetivos sonda_${programa})
                endif()
                list(APPEND binarios "${arbol}/sondas/sonda_${programa}${exe}")
            endif()
        endif()
    endforeach()
    set(hace_falta FALSE)
    foreach(b IN LISTS binarios)
        ej_mas_reciente(este "${b}" ${rutas})
        if(este)
            set(hace_falta TRUE)
            break()
        endif()
    endforeach()
endmacro()

# ej_preparar(<var> <qué> <ejercicio>): compila lo que necesita esa orden, si hace falta. <var>
# queda en "bien" o, si no se pudo (y ya está dicho), en otra cosa.
function(ej_preparar var que cual)
    ej_necesita("${que}" "${cual}")
    set(${var} bien PARENT_SCOPE)
    if(NOT hace_falta)
        return()
    endif()
    ej_compilar(resultado "${objetivos}" "el comprobador" "${herramienta}" "un minuto")
    if(resultado STREQUAL "compilacion")
        ej_diagnosticos(${inicio})
        message("No se pudo compilar el comprobador; el registro completo está en\n"
                "build/ejercicios-compilacion.log")
    endif()
    if(resultado STREQUAL "bien")
        ej_al_dia(${binarios})
    endif()
    set(${var} ${resultado} PARENT_SCOPE)
endfunction()

# practicar, comprobar y corregir los hace el comprobador (comprobador/), que se compila aquí la
# primera vez (o lo deja compilado practicar, en segundo plano).
function(ej_comprobador)
    set(pedido "")
    if(primero STREQUAL "comprobar")
        # El ejercicio es el primer argumento que lo nombra (las opciones pueden ir delante).
        foreach(linea IN LISTS catalogo)
            ej_campos()
            if(programa IN_LIST resto AND pedido STREQUAL "")
                set(pedido ${programa})
            endif()
        endforeach()
    endif()
    ej_preparar(resultado "${primero}" "${pedido}")
    if(NOT resultado STREQUAL "bien")
        ej_salir(1)
        return()
    endif()
    ej_lanzar(raiz "build/default/comprobador/comprobador" TRUE FALSE)
endfunction()

# ej_distancia(<var> <a> <b>): cuántas letras hay que cambiar, quitar o poner para pasar de <a>
# a <b> (la distancia de edición, fila a fila).
function(ej_distancia var a b)
    string(LENGTH "${a}" la)
    string(LENGTH "${b}" lb)
    set(fila "")
    foreach(j RANGE 0 ${lb})
        list(APPEND fila ${j})
    endforeach()
    if(la EQUAL 0)
        set(${var} ${lb} PARENT_SCOPE)
        return()
    endif()
    math(EXPR ua "${la} - 1")
    foreach(i RANGE 0 ${ua})
        string(SUBSTRING "${a}" ${i} 1 ca)
        math(EXPR izquierda "${i} + 1")
        set(nueva ${izquierda})
        if(lb GREATER 0)
            math(EXPR ub "${lb} - 1")
            foreach(j RANGE 0 ${ub})
                string(SUBSTRING "${b}" ${j} 1 cb)
                list(GET fila ${j} diagonal)
                math(EXPR k "${j} + 1")
                list(GET fila ${k} arriba)
                if(NOT ca STREQUAL cb)
                    math(EXPR diagonal "${diagonal} + 1")
                endif()
                math(EXPR arriba "${arriba} + 1")
                math(EXPR izquierda "${izquierda} + 1")
                set(minimo ${diagonal})
                foreach(otro ${arriba} ${izquierda})
                    if(otro LESS minimo)
                        set(minimo ${otro})
                    endif()
                endforeach()
                list(APPEND nueva ${minimo})
                set(izquierda ${minimo})
            endforeach()
        endif()
        set(fila ${nueva})
    endforeach()
    list(GET fila ${lb} d)
    set(${var} ${d} PARENT_SCOPE)
endfunction()

# ej_no_existe(<nombre>): el aviso de un ejercicio que no existe, con hasta tres nombres
# parecidos (a distancia 3 como mucho, o que lo contienen), los más cercanos primero.
function(ej_no_existe nombre)
    string(TOLOWER "${nombre}" buscado)
    string(LENGTH "${buscado}" largo)
    set(candidatos "")
    foreach(linea IN LISTS catalogo)
        ej_campos()
        string(FIND "${programa}" "${buscado}" dentro)
        if(largo GREATER_EQUAL 3 AND dentro GREATER_EQUAL 0)
            list(APPEND candidatos "0 ${programa}")
        elseif(largo LESS 40)
            ej_distancia(d "${buscado}" "${programa}")
            if(d LESS_EQUAL 3)
                list(APPEND candidatos "${d} ${programa}")
            endif()
        endif()
    endforeach()
    set(texto "No existe el ejercicio \"${nombre}\".")
    set(parecidos "")
    foreach(d 0 1 2 3)
        foreach(c IN LISTS candidatos)
            if(c MATCHES "^${d} (.*)$")
                list(APPEND parecidos "${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endforeach()
    list(LENGTH parecidos n)
    if(n GREATER 3)
        list(SUBLIST parecidos 0 3 parecidos)
        set(n 3)
    endif()
    set(i 0)
    foreach(p IN LISTS parecidos)
        math(EXPR i "${i} + 1")
        if(i EQUAL 1)
            string(APPEND texto " ¿Querías decir ${p}")
        elseif(i EQUAL n)
            string(APPEND texto " o ${p}")
        else()
            string(APPEND texto ", ${p}")
        endif()
    endforeach()
    if(n GREATER 0)
        string(APPEND texto "?")
    endif()
    message("${texto} Los disponibles se ven con ./ejercicios")
    ej_salir(2)
endfunction()

# ej_escribir_si_no_existe(<ruta> <contenido>): lo escribe y lo anota en «salida» (la de quien
# llama); si ya existe, no lo toca (es la solución del alumno), y también lo anota.
function(ej_escribir_si_no_existe ruta contenido)
    file(RELATIVE_PATH mostrada "${CMAKE_CURRENT_BINARY_DIR}" "${ruta}")
    if(EXISTS "${ruta}")
        set(salida "${salida}Ya existe ${mostrada}: no se toca, sigue con tu solución.\n"
            PARENT_SCOPE)
    else()
        file(WRITE "${ruta}" "${contenido}")
        set(salida "${salida}Creado ${mostrada}\n" PARENT_SCOPE)
    endif()
endfunction()

# practicar NOMBRE: el punto de partida de una solución en practica/, con el enunciado como
# comentario; nunca sobrescribe lo que ya hay. No necesita compilar nada: es lo primero que hace
# quien empieza, y es inmediato.
function(ej_practicar)
    list(LENGTH ARGN n)
    if(NOT n EQUAL 1)
        message("Uso: ./ejercicios practicar NOMBRE (por ejemplo: ./ejercicios practicar ringchain)")
        ej_salir(2)
        return()
    endif()
    set(nombre "${ARGN}")
    set(hallado FALSE)
    foreach(linea IN LISTS catalogo)
        ej_campos()
        if(programa STREQUAL nombre)
            set(hallado TRUE)
            break()
        endif()
    endforeach()
    if(NOT hallado)
        ej_no_existe("${nombre}")
        return()
    endif()
    set(enunciado "${carpeta}/${programa}/enunciado.md")
    file(RELATIVE_PATH enunciado_mostrado "${CMAKE_CURRENT_BINARY_DIR}" "${enunciado}")
    # El enunciado como comentario de bloque, sin "*/" dentro (lo cerraría antes de tiempo).
    set(texto "")
    if(EXISTS "${enunciado}")
        file(READ "${enunciado}" texto)
    endif()
    if(texto STREQUAL "")
        set(texto "Enunciado: ${enunciado_mostrado}\n")
    endif()
    string(REPLACE "*/" "* /" texto "${texto}")
    if(NOT texto MATCHES "\n$")
        string(APPEND texto "\n")
    endif()
    set(comentario "/*\n${texto}*/\n\n")
    set(vacio "int main() {\n    // Tu solución.\n    return 0;\n}\n")
    set(practica "${raiz}/practica")
    set(salida "")
    if(forma STREQUAL "carpeta")
        file(MAKE_DIRECTORY "${practica}/${programa}")
        ej_escribir_si_no_existe("${practica}/${programa}/main.cpp"
                                 "${comentario}#include \"Cir.cpp\"\n\n${vacio}")
        ej_escribir_si_no_existe("${practica}/${programa}/Cir.h"
            "// La declaración de la clase Cir (el enunciado está en main.cpp).\n")
        ej_escribir_si_no_existe("${practica}/${programa}/Cir.cpp"
            "// Las funciones miembro de Cir (el enunciado está en main.cpp).\n#include \"Cir.h\"\n")
    else()
        file(MAKE_DIRECTORY "${practica}")
        set(inicio "")
        if(forma STREQUAL "lista")
            # La lista de nodos de la colección, al lado: así el punto de partida compila también
            # a mano (g++ practica/NOMBRE.cpp). Si el alumno la cambia, se usa la suya.
            file(READ "${carpeta}/node_list.h" lista)
            ej_escribir_si_no_existe("${practica}/node_list.h" "${lista}")
            string(CONCAT inicio "// node_list.h está junto a este archivo: es el de la colección, "
                                 "y si lo\n// cambias, la comprobación usa el tuyo.\n"
                                 "#include \"node_list.h\"\n\n")
        endif()
        ej_escribir_si_no_existe("${practica}/${programa}.cpp" "${comentario}${inicio}${vacio}")
    endif()
    # El lanzador como se escribe desde aquí: ./ejercicios, ../ejercicios...
    file(RELATIVE_PATH lanzador "${CMAKE_CURRENT_BINARY_DIR}" "${raiz}/ejercicios")
    if(NOT lanzador MATCHES "/" AND NOT lenguaje STREQUAL "cmd")
        set(lanzador "./${lanzador}")
    endif()
    string(CONCAT salida "${salida}" "El enunciado, con sus dibujos: ${enunciado_mostrado}\n"
                         "Cuando tengas tu solución, compruébala con:\n"
                         "    ${lanzador} comprobar ${programa}\n")
    # Lo que la comprobación necesita se compila ya, en segundo plano y con poca prioridad,
    # mientras el alumno lee y escribe: así la primera comprobación no espera. Con EJ_PREPARAR=no,
    # no; con EJ_PREPARAR=esperar, aquí mismo (las pruebas). En Windows, al comprobar.
    set(preparar "$ENV{EJ_PREPARAR}")
    ej_necesita(comprobar "${nombre}")
    if(hace_falta AND lenguaje STREQUAL "sh" AND NOT preparar STREQUAL "no")
        string(APPEND salida "Mientras tanto se prepara el comprobador, en segundo plano (la "
                             "primera vez, un minuto).\n")
        if(preparar STREQUAL "esperar")
            ej_preparar(resultado comprobar "${nombre}")
        else()
            string(CONCAT fondo "(nice -n 10 \"$raiz/ejercicios\" --preparar ${nombre} "
                                "</dev/null >/dev/null 2>&1 &)")
            ej_orden("${fondo}" "")
        endif()
    endif()
    ej_escribir("${salida}")
endfunction()

# --- Qué se pide ----------------------------------------------------------------------------

# Los argumentos de ./ejercicios son los que siguen a "--": el primero dice qué se pide; los
# demás los usa practicar (al comprobador se los pasa tal cual quien ejecuta la orden).
set(primero "")
set(resto "")
set(tras FALSE)
math(EXPR ultimo "${CMAKE_ARGC} - 1")
foreach(i RANGE 1 ${ultimo})
    if(tras)
        list(APPEND resto "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(tras TRUE)
    endif()
endforeach()
if(NOT resto STREQUAL "")
    list(GET resto 0 primero)
    list(REMOVE_AT resto 0)
endif()

if(primero STREQUAL "")
    ej_listar()
elseif(primero STREQUAL "practicar")
    ej_practicar(${resto})
elseif(primero MATCHES "^(comprobar|corregir)$")
    ej_comprobador()
elseif(primero STREQUAL "--preparar")
    # La compilación que deja practicar en segundo plano (sin decir nada: nadie la mira).
    ej_preparar(resultado comprobar "${resto}")
elseif(primero STREQUAL "--demo")
    ej_demo()
elseif(primero MATCHES "^(-h|--help|--ayuda)$")
    ej_uso(uso)
    ej_escribir("${uso}")
elseif(primero MATCHES "^-")
    ej_uso(uso)
    ej_fin(uso "${uso}")
    message("${uso}")
    ej_salir(2)
else()
    ej_ejecutar("${primero}")
endif()
file(REMOVE_RECURSE "${temporal}")
