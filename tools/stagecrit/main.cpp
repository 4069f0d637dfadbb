// SPDX-License-Identifier: GPL-3.0-or-later
// stagecrit: measures stages as a puzzle designer would, and checks the
// design rules over a set.
//   stagecrit [--json | --table] [--rules [--report-only]] [--memory-mb N] stage...
// Each stage is a source (.stage) or a compiled stage file. Prints one JSON
// object per stage (one line each), then a table; --json or --table prints
// only one of them. --rules checks the design rules over all the stages
// given as one set and prints each breach as "file: rule N (name): ..." on
// standard error. Exit status 1 when a stage cannot be read, or a rule is
// broken (unless --report-only), 2 on bad usage.
#include "critique_report.h"
#include "design_rules.h"
#include "stage_input.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
    bool json = true;
    bool table = true;
    bool rules = false;
    bool reportOnly = false;
    CritiqueLimits limits;
    std::vector<std::string> files;
};

int Usage() {
    std::fprintf(stderr, "usage: stagecrit [--json | --table] [--rules [--report-only]] [--memory-mb N] stage...\n");
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            options.table = false;
        } else if (arg == "--table") {
            options.json = false;
        } else if (arg == "--rules") {
            options.rules = true;
        } else if (arg == "--report-only") {
            options.reportOnly = true;
        } else if (arg == "--memory-mb" && i + 1 < argc) {
            char* end = nullptr;
            const long megabytes = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || megabytes < 1 || megabytes > (1 << 20)) return false;
            options.limits.memoryBytes = static_cast<std::size_t>(megabytes) << 20;
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            options.files.push_back(arg);
        }
    }
    return !options.files.empty() && (options.json || options.table);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    bool readable = true;
    std::vector<CritiquedStage> stages;
    for (const std::string& file : options.files) {
        const StageInput input = ReadStageInput(file);
        if (!input.ok) {
            std::fprintf(stderr, "%s\n", input.error.c_str());
            readable = false;
            continue;
        }
        CritiquedStage stage;
        stage.file = file;
        stage.number = StageNumberOfFile(file);
        stage.design = input.design;
        stage.critique = CritiqueStage(input.stage, options.limits);
        if (options.json) {
            std::printf("%s\n", CritiqueJson(stage).c_str());
            std::fflush(stdout);
        }
        stages.push_back(std::move(stage));
    }
    if (options.table) std::printf("%s", CritiqueTable(stages).c_str());
    bool rulesKept = true;
    if (options.rules) {
        const std::vector<RuleBreach> breaches = CheckDesignRules(stages);
        for (const RuleBreach& breach : breaches) std::fprintf(stderr, "%s\n", breach.Message().c_str());
        std::fprintf(stderr, "%zu design rule breach(es) in %zu stage(s)\n", breaches.size(), stages.size());
        rulesKept = breaches.empty() || options.reportOnly;
    }
    return readable && rulesKept ? 0 : 1;
}
