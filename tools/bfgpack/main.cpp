// SPDX-License-Identifier: GPL-3.0-or-later
// bfgpack: turns an image file into a .bfg picture and back.
//   bfgpack pack   <image file> <out.bfg>
//   bfgpack unpack <in.bfg> <image file>
// Exit status 0 on success, 1 when a file cannot be read, decoded or written,
// 2 on a wrong command line. The output appears only when it is complete.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "bfg_encode.h"
#include "resources/bfg_file.h"

namespace {

std::optional<std::vector<uint8_t>> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// Writes next to the target and renames, so a failed run leaves no half file.
bool WriteAll(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::filesystem::path temp = path;
    temp += ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    return !error;
}

int Fail(const std::string& message) {
    std::cerr << "bfgpack: " << message << "\n";
    return 1;
}

int Pack(const std::filesystem::path& input, const std::filesystem::path& output,
         const BlowfishState& cipher) {
    const auto image = ReadAll(input);
    if (!image) return Fail("cannot read " + input.string());
    if (image->empty()) return Fail(input.string() + " is empty");
    if (image->size() > kMaxBfgFileSize - 8) return Fail(input.string() + " is too large");
    if (!WriteAll(output, EncodeBfg(*image, cipher))) return Fail("cannot write " + output.string());
    return 0;
}

int Unpack(const std::filesystem::path& input, const std::filesystem::path& output,
           const BlowfishState& cipher) {
    const auto image = ReadBfgFile(input, cipher);
    if (!image) return Fail("cannot read " + input.string() + " as a .bfg picture");
    if (!WriteAll(output, image->Image())) return Fail("cannot write " + output.string());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc == 4 ? argv[1] : "";
    if (command != "pack" && command != "unpack") {
        std::cerr << "usage: bfgpack pack <image file> <out.bfg>\n"
                     "       bfgpack unpack <in.bfg> <image file>\n";
        return 2;
    }
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    const int status = command == "pack" ? Pack(argv[2], argv[3], cipher) : Unpack(argv[2], argv[3], cipher);
    cipher.Release();
    return status;
}
