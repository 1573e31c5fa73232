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
    friend Cir operator+(const Cir& a, const Cir& b);
    void out();
};

#endif
