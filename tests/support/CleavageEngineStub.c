/* Stands in for Cleavage.exe: writes each argument it received on a line of
   arguments.txt in its own folder, so a test can see how it was started, and keeps a
   copy of the parameter file of `/f <file>` (when there is one) there as parameters.txt,
   after arguments.txt. arguments.txt appears complete or not at all: it is written under
   another name and then renamed. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static int path_beside_program(const char* name, char* path)
{
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    char* slash = strrchr(path, '\\');
    if (!slash || (size_t)(slash - path) + 1 + strlen(name) + 1 > MAX_PATH)
        return 0;
    strcpy(slash + 1, name);
    return 1;
}

int main(int argc, char** argv)
{
    char partial[MAX_PATH];
    char complete[MAX_PATH];
    if (!path_beside_program("arguments.part", partial) || !path_beside_program("arguments.txt", complete))
        return 2;

    FILE* out = fopen(partial, "w");
    if (!out)
        return 3;
    for (int i = 1; i < argc; ++i)
        fprintf(out, "%s\n", argv[i]);
    if (fclose(out) != 0)
        return 3;
    if (!MoveFileExA(partial, complete, MOVEFILE_REPLACE_EXISTING))
        return 4;
    char parameters[MAX_PATH];
    if (argc == 3 && strcmp(argv[1], "/f") == 0 && GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES &&
        (!path_beside_program("parameters.txt", parameters) || !CopyFileA(argv[2], parameters, FALSE)))
        return 5;
    return 0;
}
