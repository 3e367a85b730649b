/* A stand-in Windows engine and game library, built by the cross compiler
   when there is one: real PE files from a real linker, holding the strings a
   Windows Q2PRO's read-only data has. */
#include <stdio.h>

#ifdef GAME_LIBRARY
__declspec(dllexport) void *GetGameAPI(void *import) { return import; }
#else
int main(int argc, char **argv) {
    printf("%s\\%s\\%s\n", argc > 1 ? argv[1] : ".", "baseq2", "gamex86_64.dll");
    printf("====== Q2PRO initialized ======\n\n");
    return 0;
}
#endif
