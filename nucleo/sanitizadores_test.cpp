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
        {"pila agotada, saltando los marcos del sanitizador",
         "==7==ERROR: AddressSanitizer: stack-overflow on address 0x7ffd\n"
         "    #0 0x1 in __asan_memcpy ../../../../src/libsanitizer/asan/asan_interceptors.cpp:22\n"
         "    #1 0x2 in isPalindrome(std::string, int, int) /x/p.cpp:8:3\n",
         "AddressSanitizer: stack-overflow en p.cpp:8: la recursión agotó la pila"},
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
