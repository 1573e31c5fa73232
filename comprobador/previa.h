// Lo que se precompila para las compilaciones normal y vigilada de una entrega que empieza por
// #include <iostream> (comprobador/CMakeLists.txt).
#include <iostream>
