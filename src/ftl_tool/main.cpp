// kesu-files-ftl: checks, formats and dumps the explorer's Fluent catalogues
// for translators, with the explorer's own parser and formatter.

#include "ftl_tool/cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> const arguments(argv + 1, argv + argc);
    return static_cast<int>(files::ftl_tool::run(arguments, std::cout, std::cerr));
}
