// Cir con la longitud privada por defecto y el constructor con lista de inicialización.
#pragma once

class Cir {
    float longitud;

   public:
    Cir() : longitud(0.0f) {}

    void in();
    Cir operator+(const Cir& obj);
    void out();
};
