// Cir: una longitud en centímetros; la suma de dos ejes da el perímetro de la elipse.
#ifndef CIR_H
#define CIR_H

class Cir {
   private:
    float longitud;

   public:
    Cir() { longitud = 0; }
    void in();
    Cir operator+(const Cir& obj);
    void out();
};

#endif
