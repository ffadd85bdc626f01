// Where the program lies in a browser: the page knows no file of its own; the data is packed beside it as "data".
#include "platform/data_folder.h"

std::string platform_executable_folder()
{
    return "";
}
