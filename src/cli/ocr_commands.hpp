#pragma once
// The recognition subcommands of orvane-ocr. Each takes its own argv, with
// the subcommand name first, and returns the process exit status.

namespace cli {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int run_words_command(int argc, char** argv);
int run_text_command(int argc, char** argv);
int run_prepare_command(int argc, char** argv);

}  // namespace cli
