// Lo que incluyen todas las comprobaciones de funciones, para precompilarlo una vez por árbol
// de compilación: GoogleTest, la captura de la salida y la declaración de las comprobaciones.
#ifndef COMPROBADOR_COMPROBACIONES_H
#define COMPROBADOR_COMPROBACIONES_H

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "captura.h"
#include "comprobacion.h"

#endif
