// Stands in for the browser in the tests: registered as the program that
// opens .htm files, it appends the page it is asked to open to a record.
//
//   HelpRecorder.exe RECORD_FILE PAGE

#include <cstdio>
#include <cstdlib>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return EXIT_FAILURE;
    FILE* record = std::fopen(__argv[1], "ab");
    if (record == nullptr)
        return EXIT_FAILURE;
    std::fprintf(record, "%s\n", __argv[2]);
    std::fclose(record);
    return EXIT_SUCCESS;
}
