# GoogleTest: el instalado (paquete de Debian libgtest-dev, Homebrew, vcpkg) o, con EJ_GTEST_FUENTE,
# compilado aquí desde su fuente con el mismo compilador y la misma biblioteca estándar que los
# programas: así con libc++ (el preset libcxx) y con MinGW (el preset mingw), con los que el
# GoogleTest de Debian, compilado para libstdc++ en Linux, no enlaza. Deja EJ_PRUEBAS.
set(EJ_GTEST_FUENTE "" CACHE PATH "Fuente de GoogleTest que compilar aquí (p. ej. /usr/src/googletest)")
set(EJ_PRUEBAS OFF)
if(EJ_GTEST_FUENTE)
    if(EXISTS ${EJ_GTEST_FUENTE}/CMakeLists.txt)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
        # GoogleTest se compila sin los avisos como errores: sus avisos no son de la colección.
        set(ej_avisos ${CMAKE_COMPILE_WARNING_AS_ERROR})
        set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
        add_subdirectory(${EJ_GTEST_FUENTE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
        set(CMAKE_COMPILE_WARNING_AS_ERROR ${ej_avisos})
        if(NOT TARGET GTest::gtest)
            add_library(GTest::gtest ALIAS gtest)
            add_library(GTest::gtest_main ALIAS gtest_main)
        endif()
        set(GTest_FOUND TRUE)
    else()
        message(NOTICE "EJ_GTEST_FUENTE=${EJ_GTEST_FUENTE} no tiene el fuente de GoogleTest "
                       "(paquete de Debian googletest); se busca el instalado.")
    endif()
endif()
if(NOT GTest_FOUND)
    find_package(GTest)
endif()
if(GTest_FOUND)
    set(EJ_PRUEBAS ON)
    include(GoogleTest)
else()
    message(NOTICE "Las pruebas necesitan GoogleTest, que no está instalado (paquete de Debian libgtest-dev: apt-get install libgtest-dev); los ejercicios se compilan igualmente.")
    # Una prueba que siempre falla y dice qué instalar: sin GoogleTest no hay nada que pase.
    add_test(NAME pruebas.falta_googletest.apt-get_install_libgtest-dev
             COMMAND ${CMAKE_COMMAND} -E echo "No hay pruebas: falta GoogleTest. Instálalo con: apt-get install libgtest-dev")
    set_tests_properties(pruebas.falta_googletest.apt-get_install_libgtest-dev PROPERTIES WILL_FAIL TRUE)
endif()
