// Los informes de los sanitizadores, de varias líneas en inglés, en una línea en español con el
// lugar del programa (no el de la biblioteca) y lo que suele significar.
#include "sanitizadores.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Sanitizadores, CadaInformeEnUnaLinea) {
    struct Fila {
        const char* descripcion;
        std::string errores;
        std::string resumen;
    } filas[] = {
        {"uso tras liberar",
         "=================================================================\n"
         "==12==ERROR: AddressSanitizer: heap-use-after-free on address 0x602000000010\n"
         "READ of size 4 at 0x602000000010 thread T0\n"
         "    #0 0x55 in buscarElemento(Nodo*, int) /tmp/c/1/mi.cpp:21:15\n"
         "    #1 0x56 in main /tmp/c/1/mi.cpp:40:5\n",
         "AddressSanitizer: heap-use-after-free en mi.cpp:21: se usó memoria ya liberada con "
         "delete"},
        {"saltando los marcos del sanitizador",
         "==7==ERROR: AddressSanitizer: heap-buffer-overflow on address 0x7ffd\n"
         "    #0 0x1 in __asan_memcpy ../../../../src/libsanitizer/asan/asan_interceptors.cpp:22\n"
         "    #1 0x2 in isPalindrome(std::string, int, int) /x/p.cpp:8:3\n",
         "AddressSanitizer: heap-buffer-overflow en p.cpp:8: se leyó o escribió fuera de un bloque "
         "reservado con new (¿un índice fuera del arreglo?)"},
        {"UBSan",
         "/x/y/cuadrado.cpp:11:20: runtime error: signed integer overflow: 46341 * 46341\n",
         "UBSan: signed-integer-overflow en cuadrado.cpp:11: un int se desbordó"},
        {"negar el int más negativo",
         "a.cpp:5:12: runtime error: negation of -2147483648 cannot be represented\n",
         "UBSan: signed-integer-overflow en a.cpp:5: se negó el int más negativo, cuyo opuesto no "
         "cabe en un int"},
        {"fugas",
         "==9==ERROR: LeakSanitizer: detected memory leaks\n\n"
         "Direct leak of 16 byte(s) in 1 object(s) allocated from:\n"
         "    #0 0x1 in operator new(unsigned long) ../../src/libsanitizer/asan/asan_new.cpp:95\n"
         "    #1 0x2 in insertarCabeza(Nodo*&, int) /t/node_list.h:12:24\n\n"
         "SUMMARY: AddressSanitizer: 48 byte(s) leaked in 3 allocation(s).\n",
         "LeakSanitizer: 3 bloques sin liberar (48 bytes), reservados en node_list.h:12: falta un "
         "delete"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> r = nucleo::resumirSanitizadores(f.errores);
        ASSERT_EQ(r.size(), 1u) << f.descripcion;
        EXPECT_EQ(r[0], f.resumen) << f.descripcion;
    }
}

// Informes reales de pilas agotadas (g++ -O1 -g -fsanitize=address,undefined
// -fno-omit-frame-pointer), recortados. Los primeros marcos cambian de una ejecución a otra: el
// resumen no.
TEST(Sanitizadores, LaPilaAgotada) {
    const std::string kProfunda =
        " agotó la pila (o no termina: ¿falta el caso base o no se acerca a él?; o es demasiado "
        "profunda para esa entrada, que necesita un tope)";
    const std::string kDigitos =
        "AddressSanitizer: stack-overflow en digitos.cpp:7: la recursión de contarDigitos" +
        kProfunda;
    const std::string kParidad =
        "AddressSanitizer: stack-overflow en paridad.cpp:14: la recursión de esImpar" + kProfunda;
    struct Fila {
        const char* descripcion;
        std::string errores;
        std::string resumen;
    } filas[] = {
        {"factorial sin caso base: la línea de la llamada, no la del marco de arriba",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==1246==ERROR: AddressSanitizer: stack-overflow on address 0x7ffcc7d29ff8 (pc "
         "0x55efcc15e25d bp 0x7ffcc7d2a000 sp 0x7ffcc7d2a000 T0)\n"
         "    #0 0x55efcc15e25d in factorial(int) /tmp/pistas-san/factcalc.cpp:4\n"
         "    #1 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "    #2 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "    #3 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "    #4 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "    #5 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "    #247 0x55efcc15e272 in factorial(int) /tmp/pistas-san/factcalc.cpp:5\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/factcalc.cpp:4 in "
         "factorial(int)\n"
         "==1246==ABORTING\n",
         "AddressSanitizer: stack-overflow "
         "en factcalc.cpp:5: la recursión de factorial agotó la pila (o no termina: ¿falta el caso "
         "base o no se "
         "acerca a él?; o es demasiado profunda para esa entrada, que necesita un tope)"},
        {"potencia con exponente negativo",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==1844==ERROR: AddressSanitizer: stack-overflow on address 0x7ffded81fff8 (pc "
         "0x558c3f09b293 bp 0x7ffded820010 sp 0x7ffded820000 T0)\n"
         "    #0 0x558c3f09b293 in power(double, int) /tmp/pistas-san/powercalc.cpp:7\n"
         "    #1 0x558c3f09b297 in power(double, int) /tmp/pistas-san/powercalc.cpp:7\n"
         "    #2 0x558c3f09b297 in power(double, int) /tmp/pistas-san/powercalc.cpp:7\n"
         "    #3 0x558c3f09b297 in power(double, int) /tmp/pistas-san/powercalc.cpp:7\n"
         "    #247 0x558c3f09b297 in power(double, int) /tmp/pistas-san/powercalc.cpp:7\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/powercalc.cpp:7 in "
         "power(double, int)\n"
         "==1844==ABORTING\n",
         "AddressSanitizer: stack-overflow "
         "en powercalc.cpp:7: la recursión de power agotó la pila (o no termina: ¿falta el caso "
         "base o no se acerca "
         "a él?; o es demasiado profunda para esa entrada, que necesita un tope)"},
        {"la pila se agota al entrar en la función",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==2155==ERROR: AddressSanitizer: stack-overflow on address 0x7ffeb8cd4fb8 (pc "
         "0x55d20fce82fd bp 0x7ffeb8cd50a0 sp 0x7ffeb8cd4fa0 T0)\n"
         "    #0 0x55d20fce82fd in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:5\n"
         "    #1 0x55d20fce8a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #2 0x55d20fce8a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #3 0x55d20fce8a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #247 0x55d20fce8a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/digitos.cpp:5 in "
         "contarDigitos(long long)\n"
         "==2155==ABORTING\n",
         kDigitos},
        {"la pila se agota dentro de std::to_string",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==2146==ERROR: AddressSanitizer: stack-overflow on address 0x7ffd17eb6ff8 (pc "
         "0x557733da0477 bp 0x7ffd17eb7100 sp 0x7ffd17eb7000 T0)\n"
         "    #0 0x557733da0477 in std::__cxx11::basic_string<char, std::char_traits<char>, "
         "std::allocator<char> >::basic_string<std::allocator<char> >(unsigned long, char, "
         "std::allocator<char> const&) /usr/include/c++/12/bits/basic_string.h:659\n"
         "    #1 0x557733da0477 in std::__cxx11::to_string(long long) "
         "/usr/include/c++/12/bits/basic_string.h:4068\n"
         "    #2 0x557733da0477 in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:6\n"
         "    #3 0x557733da0a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #4 0x557733da0a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #5 0x557733da0a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #249 0x557733da0a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /usr/include/c++/12/bits/basic_string.h:659 in "
         "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> "
         ">::basic_string<std::allocator<char> >(unsigned long, char, std::allocator<char> "
         "const&)\n"
         "==2146==ABORTING\n",
         kDigitos},
        {"la pila se agota dentro de libstdc++",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==2224==ERROR: AddressSanitizer: stack-overflow on address 0x7ffd85de3ff8 (pc "
         "0x7f60a5b3f90f bp 0x00000000002d sp 0x7ffd85de3ff0 T0)\n"
         "    #0 0x7f60a5b3f90f in std::__cxx11::basic_string<char, std::char_traits<char>, "
         "std::allocator<char> >::_M_construct(unsigned long, char) "
         "(/lib/x86_64-linux-gnu/libstdc++.so.6+0x13f90f)\n"
         "    #1 0x5580a12e247b in std::__cxx11::basic_string<char, std::char_traits<char>, "
         "std::allocator<char> >::basic_string<std::allocator<char> >(unsigned long, char, "
         "std::allocator<char> const&) /usr/include/c++/12/bits/basic_string.h:659\n"
         "    #2 0x5580a12e247b in std::__cxx11::to_string(long long) "
         "/usr/include/c++/12/bits/basic_string.h:4068\n"
         "    #3 0x5580a12e247b in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:6\n"
         "    #4 0x5580a12e2a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #5 0x5580a12e2a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #6 0x5580a12e2a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "    #249 0x5580a12e2a2d in contarDigitos(long long) /tmp/pistas-san/digitos.cpp:7\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow "
         "(/lib/x86_64-linux-gnu/libstdc++.so.6+0x13f90f) in std::__cxx11::basic_string<char, "
         "std::char_traits<char>, std::allocator<char> >::_M_construct(unsigned long, char)\n"
         "==2224==ABORTING\n",
         kDigitos},
        {"una lambda recursiva a través de std::function, entre marcos de la biblioteca",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==1864==ERROR: AddressSanitizer: stack-overflow on address 0x7ffce304fff8 (pc "
         "0x55a9d5686759 bp 0x7ffce3050000 sp 0x7ffce3050000 T0)\n"
         "    #0 0x55a9d5686759 in _M_invoke /usr/include/c++/12/bits/std_function.h:288\n"
         "    #1 0x55a9d56869ba in std::function<long long (int)>::operator()(int) const "
         "/usr/include/c++/12/bits/std_function.h:591\n"
         "    #2 0x55a9d56869ba in operator() /tmp/pistas-san/lambda.cpp:8\n"
         "    #3 0x55a9d56869ba in __invoke_impl<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:61\n"
         "    #4 0x55a9d56869ba in __invoke_r<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:114\n"
         "    #5 0x55a9d56869ba in _M_invoke /usr/include/c++/12/bits/std_function.h:290\n"
         "    #6 0x55a9d56869ba in std::function<long long (int)>::operator()(int) const "
         "/usr/include/c++/12/bits/std_function.h:591\n"
         "    #7 0x55a9d56869ba in operator() /tmp/pistas-san/lambda.cpp:8\n"
         "    #8 0x55a9d56869ba in __invoke_impl<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:61\n"
         "    #9 0x55a9d56869ba in __invoke_r<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:114\n"
         "    #10 0x55a9d56869ba in _M_invoke /usr/include/c++/12/bits/std_function.h:290\n"
         "    #11 0x55a9d56869ba in std::function<long long (int)>::operator()(int) const "
         "/usr/include/c++/12/bits/std_function.h:591\n"
         "    #12 0x55a9d56869ba in operator() /tmp/pistas-san/lambda.cpp:8\n"
         "    #13 0x55a9d56869ba in __invoke_impl<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:61\n"
         "    #14 0x55a9d56869ba in __invoke_r<long long int, main()::<lambda(int)>&, int> "
         "/usr/include/c++/12/bits/invoke.h:114\n"
         "    #15 0x55a9d56869ba in _M_invoke /usr/include/c++/12/bits/std_function.h:290\n"
         "    #16 0x55a9d56869ba in std::function<long long (int)>::operator()(int) const "
         "/usr/include/c++/12/bits/std_function.h:591\n"
         "    #1235 0x55a9d56869ba in _M_invoke /usr/include/c++/12/bits/std_function.h:290\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /usr/include/c++/12/bits/std_function.h:288 in "
         "_M_invoke\n"
         "==1864==ABORTING\n",
         "AddressSanitizer: stack-overflow "
         "en lambda.cpp:8: la recursión de la lambda agotó la pila (o no termina: ¿falta el caso "
         "base o no se "
         "acerca a él?; o es demasiado profunda para esa entrada, que necesita un tope)"},
        {"dos funciones que se llaman una a otra, con la de arriba una",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==16728==ERROR: AddressSanitizer: stack-overflow on address 0x7ffc04126ff8 (pc "
         "0x56124601d247 bp 0x7ffc04127000 sp 0x7ffc04127000 T0)\n"
         "    #0 0x56124601d247 in esImpar(int) /tmp/pistas-san/paridad.cpp:12\n"
         "    #1 0x56124601d296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "    #2 0x56124601d259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "    #3 0x56124601d296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "    #4 0x56124601d259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "    #5 0x56124601d296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "    #6 0x56124601d259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/paridad.cpp:12 in "
         "esImpar(int)\n"
         "==16728==ABORTING\n",
         kParidad},
        {"dos funciones que se llaman una a otra, con la de arriba la otra",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==16738==ERROR: AddressSanitizer: stack-overflow on address 0x7fff742a1ff8 (pc "
         "0x56323575a284 bp 0x7fff742a2000 sp 0x7fff742a2000 T0)\n"
         "    #0 0x56323575a284 in esPar(int) /tmp/pistas-san/paridad.cpp:6\n"
         "    #1 0x56323575a259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "    #2 0x56323575a296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "    #3 0x56323575a259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "    #4 0x56323575a296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "    #5 0x56323575a259 in esImpar(int) /tmp/pistas-san/paridad.cpp:14\n"
         "    #6 0x56323575a296 in esPar(int) /tmp/pistas-san/paridad.cpp:8\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/paridad.cpp:6 in esPar(int)\n"
         "==16738==ABORTING\n",
         kParidad},
        {"una palabra de 1 MiB en char cad[7]: la pila queda rota y no hay marcos",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==1255==ERROR: AddressSanitizer: stack-overflow on address 0x7ffc87d0e000 (pc "
         "0x7fb41b4c0fe0 bp 0x000000002700 sp 0x7ffc87d0b850 T0)\n"
         "AddressSanitizer:DEADLYSIGNAL\n"
         "AddressSanitizer: nested bug in the same thread, aborting.\n",
         "AddressSanitizer: stack-overflow: se escribió fuera de un arreglo local hasta salirse de "
         "la pila (¿una cadena más larga que el arreglo?)"},
        {"un arreglo local enorme en main",
         "AddressSanitizer:DEADLYSIGNAL\n"
         "=================================================================\n"
         "==1258==ERROR: AddressSanitizer: stack-overflow on address 0x7ffeaeee62d0 (pc "
         "0x55cb12bef298 bp 0x7ffeafe28820 sp 0x7ffeaeee62c0 T0)\n"
         "    #0 0x55cb12bef298 in main /tmp/pistas-san/enorme.cpp:3\n"
         "    #1 0x7f3777a45249 in __libc_start_call_main "
         "../sysdeps/nptl/libc_start_call_main.h:58\n"
         "    #2 0x7f3777a45304 in __libc_start_main_impl ../csu/libc-start.c:360\n"
         "    #3 0x55cb12bef1b0 in _start (/tmp/pistas-san/enorme+0x21b0)\n"
         "\n"
         "SUMMARY: AddressSanitizer: stack-overflow /tmp/pistas-san/enorme.cpp:3 in main\n"
         "==1258==ABORTING\n",
         "AddressSanitizer: stack-overflow en enorme.cpp:3: las variables locales de main no "
         "caben en la pila (¿un arreglo local enorme? Resérvalo con new o usa un std::vector)"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> r = nucleo::resumirSanitizadores(f.errores);
        ASSERT_EQ(r.size(), 1u) << f.descripcion;
        EXPECT_EQ(r[0], f.resumen) << f.descripcion;
    }
}

// La entrada que provocó el informe va detrás de cada resumen; una larga, solo su principio.
TEST(Sanitizadores, ConLaEntrada) {
    const std::string informe =
        "/x/y/cuadrado.cpp:11:20: runtime error: signed integer overflow: 46341 * 46341\n";
    const std::string resumen =
        "UBSan: signed-integer-overflow en cuadrado.cpp:11: un int se desbordó";
    struct Fila {
        const char* descripcion;
        std::string entrada;
        std::string resumen;
    } filas[] = {
        {"corta", "46341\n", resumen + " (con la entrada «46341⏎»)"},
        {"vacía", "", resumen + " (con la entrada vacía)"},
        {"una palabra de 1 MiB", std::string(1 << 20, 'a') + "\n",
         resumen + " (con la entrada «" + std::string(40, 'a') + "…», de 1048577 bytes)"},
        {"cortada sin partir una letra", std::string(39, 'a') + "ñ" + std::string(30, 'b'),
         resumen + " (con la entrada «" + std::string(39, 'a') + "…», de 71 bytes)"},
    };
    for (const Fila& f : filas) {
        const std::vector<std::string> r = nucleo::resumirSanitizadores(informe, f.entrada);
        ASSERT_EQ(r.size(), 1u) << f.descripcion;
        EXPECT_EQ(r[0], f.resumen) << f.descripcion;
    }
    EXPECT_TRUE(nucleo::resumirSanitizadores("", "5\n").empty());
    EXPECT_EQ(nucleo::resumirSanitizadores(informe), std::vector<std::string>{resumen})
        << "sin la entrada, el resumen de siempre";
}

TEST(Sanitizadores, SinInformeNoHayResumen) {
    EXPECT_TRUE(nucleo::resumirSanitizadores("").empty());
    EXPECT_TRUE(nucleo::resumirSanitizadores("Error: No se puede dividir por cero.\n").empty());
    EXPECT_EQ(nucleo::resumirSanitizadores("AddressSanitizer: algo raro\n").size(), 1u)
        << "un informe que no se reconoce se señala igualmente";
}

TEST(Sanitizadores, BloquesSinLiberarDelResumen) {
    EXPECT_EQ(nucleo::bloquesSinLiberar("SUMMARY: AddressSanitizer: 32 byte(s) leaked in 2 "
                                        "allocation(s).\n"),
              2);
    EXPECT_EQ(nucleo::bloquesSinLiberar("nada"), 0);
}

}  // namespace
