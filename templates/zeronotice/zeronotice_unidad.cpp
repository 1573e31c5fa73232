// sum de zeronotice: un aviso por llamada, sea cual sea el valor, sin fin de línea. Cómo se
// vacía la salida no lo dice el ejercicio: no se mira.
// El fuente del programa (EJ_FUENTE) se compila tal cual, con su main renombrado y sin
// llamarlo.
#include <gtest/gtest.h>

#include "captura.h"
#include "comprobacion.h"
#include "firmas.h"

#ifndef EJ_FUENTE
#define EJ_FUENTE "templates/zeronotice.cpp"
#endif
#define main zeronotice_main
#include EJ_FUENTE
#undef main

namespace {

PIDE_EL_EJERCICIO(SumEscribeUnAvisoPorLlamadaSeaCualSeaElValor,
                  "sum escribe el aviso una vez por llamada, sea cual sea el valor") {
    for (int valor : {0, 2, 10, -1, 2147483647, -2147483647 - 1}) {
        SCOPED_TRACE(valor);
        EXPECT_EQ(nucleo::escritoPor([&] { sum(valor); }).texto, "no se puede dividir para 0");
    }
}

PIDE_EL_EJERCICIO(DosLlamadasDosAvisosSeguidos,
                  "dos llamadas a sum escriben dos avisos seguidos, sin nada entre ellos") {
    const nucleo::Escrito e = nucleo::escritoPor([] {
        sum(10);
        sum(0);
    });
    EXPECT_EQ(e.texto, "no se puede dividir para 0no se puede dividir para 0");
}

PIDE_EL_EJERCICIO(FirmaDeSum, "sum se declara como pide el ejercicio") {
    EJ_ESPERA_FIRMA(sum<int>, void(int));
}

}  // namespace
