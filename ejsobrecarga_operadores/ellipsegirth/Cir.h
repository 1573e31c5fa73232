// Clase Cir: guarda una longitud en centímetros. La suma de dos Cir (ejes de una elipse) da
// otro Cir con el perímetro aproximado de esa elipse.
#ifndef EJSOBRECARGA_OPERADORES_ELLIPSEGIRTH_CIR_H
#define EJSOBRECARGA_OPERADORES_ELLIPSEGIRTH_CIR_H

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
