#include "teacher/dialogs/HelpPages.h"

#include "common/ProgramFolder.h"

namespace kq {

namespace {

constexpr const char* kHelpFolder = "help\\";

const struct {
    UINT helpId;
    const char* page;
} kHelpPages[] = {
    {57454, "8.htm"},  // the configuration cannot be read
    {57455, "3.htm"},  // the environment check failed
    {57456, "1.htm"},  // the classroom sockets failed
    {57457, "20.htm"}, // the homework server did not start
    {57458, "3.htm"},  // the command transport did not open
    {57498, "23.htm"}, // creating a test paper
    {57499, "24.htm"}, // creating a test paper
    {57508, "34.htm"}, // a command transport event
    {57519, "35.htm"}, // the file sender did not start
    {57534, "14.htm"}, // starting an online test
    {57535, "13.htm"}, // starting an online test
    {57536, "12.htm"}, // starting an online test
};

} // namespace

const char* HelpPageFor(UINT helpId)
{
    for (const auto& entry : kHelpPages) {
        if (entry.helpId == helpId)
            return entry.page;
    }
    return nullptr;
}

std::string HelpPagePath(const char* page)
{
    return GetProgramFolder() + kHelpFolder + page;
}

} // namespace kq
