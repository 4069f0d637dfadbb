// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_input.h"

#include "play/stage_file_writer.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

StageInput Failed(std::string error) {
    StageInput input;
    input.error = std::move(error);
    return input;
}

}  // namespace

StageInput StageInputOfSource(const std::string& name, const std::string& text) {
    const StageSourceResult source = ParseStageSource(text);
    if (!source.ok) return Failed(name + ":" + std::to_string(source.line) + ": " + source.reason);
    const StageFileResult loaded = ParseStageFile(EncodeStageFile(StageFileImageOf(source.source, 255)));
    if (!loaded) return Failed(name + ": not a stage the game can load: " + DescribeStageFileError(loaded.error));
    StageInput input;
    input.ok = true;
    input.stage = loaded.stage;
    input.design = source.source.design;
    return input;
}

StageInput ReadStageInput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failed(path + ": cannot read the file");
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return Failed(path + ": cannot read the file");
    if (EndsWith(path, ".stage")) return StageInputOfSource(path, bytes);
    const StageFileResult loaded = ParseStageFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!loaded) return Failed(path + ": not a stage the game can load: " + DescribeStageFileError(loaded.error));
    StageInput input;
    input.ok = true;
    input.stage = loaded.stage;
    return input;
}
