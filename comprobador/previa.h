// Lo que se precompila para la compilación vigilada de una entrega que empieza por
// #include <iostream> (comprobador/CMakeLists.txt).
#include <iostream>
