/* The floor: a static program that returns at once. Nothing that runs can cost less. */
int main(void) { return 0; }
