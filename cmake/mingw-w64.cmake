# MinGW-w64 (GCC para Windows, 64 bits). En Linux es una compilación cruzada con los paquetes de
# Debian g++-mingw-w64-x86-64 y, para ejecutar lo compilado (las pruebas), wine; en Windows usa
# el g++ de MinGW-w64 que esté en el PATH (MSYS2, WinLibs, el de Code::Blocks...).
# Enlazado estático: el .exe funciona sin las DLL de MinGW al lado (fuera de su terminal, o en wine).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

if(CMAKE_HOST_WIN32)
    set(CMAKE_C_COMPILER gcc)
    set(CMAKE_CXX_COMPILER g++)
    return()
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ej_triple x86_64-w64-mingw32)
# La variante posix del compilador trae std::thread (la usan GoogleTest y el núcleo).
foreach(variante -posix "")
    find_program(ej_gxx ${ej_triple}-g++${variante})
    if(ej_gxx)
        break()
    endif()
endforeach()
if(NOT ej_gxx)
    message(FATAL_ERROR "No se encuentra ${ej_triple}-g++: instala el compilador cruzado "
                        "(paquete de Debian g++-mingw-w64-x86-64).")
endif()
string(REGEX REPLACE "g\\+\\+(-posix)?$" "gcc\\1" ej_gcc "${ej_gxx}")
set(CMAKE_CXX_COMPILER ${ej_gxx})
set(CMAKE_C_COMPILER ${ej_gcc})
set(CMAKE_RC_COMPILER ${ej_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ej_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Los .exe se ejecutan con wine, si está (las pruebas y el descubrimiento de GoogleTest).
find_program(ej_wine NAMES wine64 wine)
if(ej_wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ej_wine})
endif()
