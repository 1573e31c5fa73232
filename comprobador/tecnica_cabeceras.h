// Lo que incluyen las soluciones de los ejercicios, precompilado para el analizador de la
// técnica: así solo lee lo de la solución.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <string>
