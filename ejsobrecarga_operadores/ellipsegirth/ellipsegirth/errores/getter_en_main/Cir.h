#ifndef CIR_H
#define CIR_H

#include <iostream>

class Cir {
private:
    float longitud;

public:
    Cir() {
        longitud = 0;
    }

    void in();
    Cir operator+(const Cir& obj);
    void out();

    float getLongitud() {
        return longitud;
    }
};

#endif
