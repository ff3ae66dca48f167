#pragma once

#include "cli/CliCommand.h"
#include "document/Document.h"

#include <string>

namespace quorvel::cli {

// The largest side of a sheet the commands draw, pixels.
inline constexpr int kMaxSheetSide = 16384;

struct SheetSize {
    int width = 0;
    int height = 0;
};
// "WxH" with both sides from 1 to kMaxSheetSide; false (size unchanged in part) for any other text.
[[nodiscard]] bool parseSheetSize(const std::string& text, SheetSize& size);

// True when output names a picture the sheet commands can write (.png and the other bitmaps Qt writes, .svg,
// .pdf); otherwise says so on io.err.
[[nodiscard]] bool sheetPictureFormatOk(const std::string& output, CliIo& io);

// Samples doc's curves for a sheet of width × height pixels, draws it as the program's window draws it
// (messages of the formulas on io.err) and writes it to output in the kind its suffix names: a bitmap, or
// vectors with text as text
// (.svg, and .pdf as an A4 page the sheet spans in its proportions). An exit code; the reason on io.err.
[[nodiscard]] int writeSheetPicture(document::Document& doc, int width, int height, const std::string& output,
                                    CliIo& io);

} // namespace quorvel::cli
