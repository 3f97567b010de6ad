// A program that does nothing: built once with a version record and once
// without, so the reader is tested on real executables from the linker.
int main()
{
    return 0;
}
