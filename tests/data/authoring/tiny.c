/* A minimal GUI executable for the resource writer's tests: it only
   returns, but it carries a dialog, a version block, a string table and a
   custom resource, and links like the player: ASLR on, a nonzero CheckSum and
   base relocations placed after the resources. Rebuild with make_tiny.sh. */
static int value = 7;
int* volatile pointer = &value; /* an absolute address: needs a relocation */
int __stdcall start(void) { return *pointer - 7; }
