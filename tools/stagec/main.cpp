// SPDX-License-Identifier: GPL-3.0-or-later
// stagec: compiles a readable stage source into the game's stage file.
//   stagec [--par N | --solve [--solution moves.txt]] [--memory-mb N] source.stage output.map
// --solve searches the stage with the solver and stores its optimal step
// count as the par; a stage without a solution fails. --solution also writes
// the moves of that solution (letters L U R D) for replay tests. Faults are reported as
// "file:line: reason" and leave no output file behind.
#include "solver.h"
#include "stage_source.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Options {
    const char* source = nullptr;
    const char* output = nullptr;
    const char* solution = nullptr;
    int par = 255;
    bool solve = false;
    SolverLimits limits;
};

int Usage() {
    std::fprintf(stderr, "usage: stagec [--par N | --solve [--solution moves.txt]] [--memory-mb N] source.stage output.map\n");
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--solve") {
            options.solve = true;
        } else if (arg == "--solution" && i + 1 < argc) {
            options.solution = argv[++i];
        } else if ((arg == "--par" || arg == "--memory-mb") && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0') return false;
            if (arg == "--par") {
                if (value < 0 || value > 255) return false;
                options.par = static_cast<int>(value);
            } else {
                if (value <= 0) return false;
                options.limits.memoryBytes = static_cast<std::size_t>(value) << 20;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else if (!options.source) {
            options.source = argv[i];
        } else if (!options.output) {
            options.output = argv[i];
        } else {
            return false;
        }
    }
    return options.source && options.output && (options.solve || !options.solution);
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(target.parent_path(), ignored);
    }
    // Written beside the target and renamed, so a failed build never leaves
    // a half-written stage.
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    return !error;
}

int Compile(const Options& options) {
    std::ifstream in(options.source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read the file\n", options.source);
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    StageSourceResult source = ParseStageSource(text);
    if (!source.ok) {
        std::fprintf(stderr, "%s:%d: %s\n", options.source, source.line, source.reason.c_str());
        return 1;
    }
    if (source.source.backgroundName.empty()) {
        // Without a named picture the stage shows the one drawn for it.
        const int number = StageNumberOfSourceName(options.source);
        if (number == 0) {
            std::fprintf(stderr, "%s: no \"background:\", and the file name starts with no stage number\n",
                         options.source);
            return 1;
        }
        source.source.backgroundName = OwnBackgroundName(number);
    }
    // Read the compiled bytes back with the game's own loader: what is solved
    // is exactly what the game will play.
    std::vector<std::uint8_t> bytes = EncodeStageFile(StageFileImageOf(source.source, static_cast<std::uint8_t>(options.par)));
    const StageFileResult loaded = ParseStageFile(bytes);
    if (!loaded) {
        std::fprintf(stderr, "%s: the game cannot load this stage: %s\n", options.source,
                     DescribeStageFileError(loaded.error));
        return 1;
    }
    if (options.solve) {
        const SolveResult result = SolveStage(loaded.stage, options.limits);
        if (result.status != SolveStatus::Solved) {
            std::fprintf(stderr, "%s: %s (%llu positions searched)\n", options.source, DescribeSolveStatus(result.status),
                         static_cast<unsigned long long>(result.states));
            return 1;
        }
        bytes = EncodeStageFile(StageFileImageOf(source.source, static_cast<std::uint8_t>(result.Steps())));
        const std::string moves = MovesText(result.moves) + "\n";
        if (options.solution && !WriteFile(options.solution, std::vector<std::uint8_t>(moves.begin(), moves.end()))) {
            std::fprintf(stderr, "%s: cannot write the file\n", options.solution);
            return 1;
        }
        std::printf("%s: par %d, %llu positions\n", options.source, result.Steps(),
                    static_cast<unsigned long long>(result.states));
    }
    if (!WriteFile(options.output, bytes)) {
        std::fprintf(stderr, "%s: cannot write the file\n", options.output);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    return Compile(options);
}
