#pragma once

// One batch over three items in a fresh folder, for the sweeps that end it at every file operation: by
// an injected failure, or abruptly, as a kill would.

#include "support/recording_window.h"
#include "support/temp_dir.h"

#include "core/batches.h"
#include "core/container.h"
#include "host/temporary_name.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace sweep {

constexpr const char* Password = "Sweep";
inline const std::size_t Sizes[] = {150000, 10, 250000};

enum class Mode { Encrypt, DecryptSuffix, DecryptOriginal };

inline std::vector<std::uint8_t> Plain(std::size_t i) {
    return RandomBytes(Sizes[i], static_cast<std::uint32_t>(i + 11));
}

inline std::string PlainName(std::size_t i) {
    return "plain" + std::to_string(i) + ".dat";
}

// What stands at an output's name before the batch: nothing, or (oldOutputs) an older file.
const std::vector<std::uint8_t> OldOutput = {0xEE};

// The scenario's folder: a fresh one of its own, or one that another process prepared.
class Folder {
public:
    Folder() : owned_(std::make_unique<TempDir>()), path_(owned_->Path()) {}
    explicit Folder(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return Utf8FromPath(path_ / PathFromUtf8(name)); }

private:
    std::unique_ptr<TempDir> owned_;
    std::filesystem::path path_;
};

struct Scenario {
    Mode mode;
    bool oldOutputs;
    Folder dir;
    RecordingWindow window;

    // oldOutputs: an older file stands at every output's name (always under the original name).
    explicit Scenario(Mode m, bool old = false) : mode(m), oldOutputs(old || m == Mode::DecryptOriginal) {
        for (std::size_t i = 0; i < std::size(Sizes); ++i) {
            const std::string plain = dir.File(PlainName(i));
            if (mode == Mode::Encrypt)
                WriteBytes(plain, Plain(i));
            else
                WriteBytes(plain + ".rc4", container::MakeContainer(Plain(i), Password));
            if (oldOutputs)
                WriteBytes(Output(i), OldOutput);
        }
        SetUpWindow();
    }

    // The scenario another process prepared in folder, for running its batch here.
    Scenario(Mode m, bool old, std::filesystem::path folder)
        : mode(m), oldOutputs(old || m == Mode::DecryptOriginal), dir(std::move(folder)) {
        SetUpWindow();
    }

    void SetUpWindow() {
        window.password[0] = window.password[1] = window.password[2] = Password;
        window.suffixSelected = mode == Mode::DecryptSuffix;
        for (std::size_t i = 0; i < std::size(Sizes); ++i)
            window.list[mode == Mode::Encrypt ? 0 : 1].push_back(Input(i));
    }

    void Run() {
        if (mode == Mode::Encrypt)
            cmdEnc_Click(window);
        else
            cmdDec_Click(window);
    }

    std::string Input(std::size_t i) const {
        const std::string plain = dir.File(PlainName(i));
        return mode == Mode::Encrypt ? plain : plain + ".rc4";
    }

    std::string Output(std::size_t i) const {
        const std::string plain = dir.File(PlainName(i));
        if (mode == Mode::Encrypt)
            return plain + ".rc4";
        return mode == Mode::DecryptSuffix ? dir.File("plain" + std::to_string(i) + "-dec.dat") : plain;
    }

    std::vector<std::uint8_t> Expected(std::size_t i) const {
        return mode == Mode::Encrypt ? container::MakeContainer(Plain(i), Password) : Plain(i);
    }

    std::vector<std::uint8_t> InputBytes(std::size_t i) const {
        return mode == Mode::Encrypt ? Plain(i) : container::MakeContainer(Plain(i), Password);
    }

    // Whether the output's name holds what it held before the batch.
    bool OutputAsBefore(std::size_t i) const {
        if (!oldOutputs)
            return !Exists(Output(i));
        return IsFile(Output(i)) && ReadBytes(Output(i)) == OldOutput;
    }

    // What every run must leave behind, however it ended: the inputs as they were, every output's name
    // with its old content or its complete new one, and no other file but (killed: leftTemporary) a
    // temporary file that tells what it is. Returns the names of the outputs that hold their new content.
    std::set<std::size_t> CheckFiles(const std::string& context, bool leftTemporary = false) const {
        std::set<std::size_t> done;
        std::set<std::string> known;
        for (std::size_t i = 0; i < std::size(Sizes); ++i) {
            known.insert(Utf8FromPath(PathFromUtf8(Input(i)).filename()));
            known.insert(Utf8FromPath(PathFromUtf8(Output(i)).filename()));
            EXPECT_EQ(ReadBytes(Input(i)), InputBytes(i)) << context << ": input " << i << " changed";
            if (OutputAsBefore(i))
                continue;
            EXPECT_EQ(ReadBytes(Output(i)), Expected(i))
                << context << ": output " << i << " is neither old nor whole";
            done.insert(i);
        }
        for (const std::string& name : Names(Utf8FromPath(dir.Path()))) {
            if (known.contains(name))
                continue;
            EXPECT_TRUE(leftTemporary && host::IsTemporaryName(name)) << context << ": left behind: " << name;
        }
        return done;
    }
};

} // namespace sweep
