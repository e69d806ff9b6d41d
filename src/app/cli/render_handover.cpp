// kovrel-cli draws no pictures: it starts without Qt and hands `render`
// over to kovrel-cli-render (see cli_main.cpp).
#include "app/cli/cli_command.h"

namespace kovrel::cli {

const bool kDrawsPictures = false;

bool WritePng(const FigureTables&, const ViewBox&, const DrawOptions&, int, int, const std::string&) { return false; }

}  // namespace kovrel::cli
