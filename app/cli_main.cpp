// tessarin-cli: the encryption and decryption batches for scripts and terminals.

#include "cli/cli_messages.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/cli_window.h"
#include "cli/password_source.h"
#include "core/batches.h"
#include "host/files.h"
#include "host/process.h"
#include "host/stop_request.h"
#include "host/terminal.h"
#include "version.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitWarning = 1;
constexpr int ExitUsage = 2;

int UsageError(const std::string& message) {
    Report(MessageKind::Usage, message);
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    host::InitProcess(argc, argv);
    host::FailWritesPastSizeLimit();
    host::PrepareConsole();
    const ParseResult parsed = ParseCommandLine(host::Arguments());
    if (!parsed.options)
        return UsageError(parsed.error);
    const CliOptions& options = *parsed.options;
    if (options.command == CliOptions::Command::Help) {
        std::fputs(cli_texts::HelpText, stdout);
        return ExitOk;
    }
    if (options.command == CliOptions::Command::Version) {
        std::printf("%s%s\n", cli_texts::VersionPrefix, version::Text);
        return ExitOk;
    }

    const bool encrypt = options.command == CliOptions::Command::Encrypt;
    // Restored bytes are no text for a terminal, and binary output there could set it into any state.
    if (options.toStandardOutput && host::StandardOutputIsTerminal())
        return UsageError(cli_texts::StdoutIsTerminal);
    std::string error;
    const std::optional<std::string> password = ObtainPassword(options, error);
    if (!password)
        return UsageError(error);
    if (const std::string problem = PasswordProblem(*password, encrypt); !problem.empty())
        return UsageError(problem);

    std::vector<std::string> files;
    for (const std::string& file : options.files)
        files.push_back(host::NativePath(file));

    const BatchSide side = encrypt ? BatchSide::Encrypt : BatchSide::Decrypt;
    CliWindow window(side, files, *password, !options.quiet && host::StandardErrorIsTerminal());
    window.SetNaming(!options.originalName, options.suffix);
    window.SetDecimalSeparator(host::DecimalSeparator());
    // Ctrl+C and the like end a run through the batch's failure path, which tidies up the file in work.
    // Not with --stdout: there is no file to tidy up, and a write into a pipe whose reader has stalled
    // would hold the run before its next event pass; the request ends the program at once, as uncaught.
    if (!options.toStandardOutput)
        host::CatchStopRequests();
    if (encrypt)
        cmdEnc_Click(window);
    else if (options.command == CliOptions::Command::Verify)
        RunDecryption(window, RestoreTo::Nowhere);
    else
        RunDecryption(window, options.toStandardOutput ? RestoreTo::StandardOutput : RestoreTo::Files);
    window.ReportUnfinished();
    window.EndStatusLine();
    if (const host::StopRequest stop = host::PendingStopRequest(); stop != host::StopRequest::None)
        host::EndForStopRequest(stop);
    // Every warning counts, a file the batch passed over included: 0 means every named file was done.
    return window.WarningCount() > 0 ? ExitWarning : ExitOk;
}
