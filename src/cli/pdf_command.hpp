#pragma once
// orvane-ocr pdf IMAGE... -o OUT.pdf [-l LANG] [--no-text]: recognizes each
// image and saves them, in order, as one searchable PDF.

namespace cli {

// argv[0] is "pdf". Returns the process exit status: 0 when the file was
// written, 1 when an image, the recognition or the save failed (any existing
// file is then left as it was), 2 for a malformed command line.
int run_pdf_command(int argc, char** argv);

}  // namespace cli
