@echo off
rem Lanzador de los ejercicios en Windows, para cmd y PowerShell (en Linux y macOS, ./ejercicios):
rem   ejercicios            lista los ejercicios por tema
rem   ejercicios NOMBRE     compila si hace falta y ejecuta ese programa en la consola
rem   ejercicios --demo     ejecuta cada ejercicio con una entrada de ejemplo
rem   ejercicios practicar NOMBRE / ejercicios comprobar NOMBRE [RUTA...]
rem (en PowerShell, .\ejercicios). Todo lo decide lanzador\ejercicios.cmake; lo que deja escrito
rem en ej_orden (el programa que hay que ejecutar, o el estado con que terminar) se ejecuta aquí,
rem para que el programa tenga la consola y su estado de salida sea el de ejercicios. Lo escrito
rem solo usa las variables ej_raiz y EJ_BIN. El nombre lleva la hora: dos cmd que arrancan en el
rem mismo segundo sacan el mismo RANDOM. Tras "set" no se mira errorlevel: en un .cmd lo pone a 0.
setlocal
set "ej_raiz=%~dp0"
set "ej_raiz=%ej_raiz:~0,-1%"
set "ej_orden=%TEMP%\ejercicios-%TIME::=%-%RANDOM%.cmd"
set "EJ_ORDEN=%ej_orden%"
cmake -P "%ej_raiz%\lanzador\ejercicios.cmake" -- %*
if errorlevel 1 (
    del "%ej_orden%" 2>nul
    exit /b 1
)
set "EJ_ORDEN="
if not exist "%ej_orden%" exit /b 0
call "%ej_orden%" %*
set "ej_estado=%errorlevel%"
del "%ej_orden%" 2>nul
exit /b %ej_estado%
