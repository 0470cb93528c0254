// The "remove" and "clean" commands: the log, the turn on the machine, the run of
// one product (or its dry run; for clean, without its uninstall entry), and what
// it tells: lines, or with --json one document on standard output and nothing
// else there.
#pragma once

#include "console/ConsoleStream.h"
#include "console/LogFile.h"
#include "console/RunPlan.h"
#include "foundation/String.h"

#include <vector>

class BackupFolder;
struct ConsoleArguments;
struct Manifest;
class ProductRecord;
class StopRequest;

class RemovalCommand {
public:
    RemovalCommand(const ConsoleArguments& arguments, ConsoleStream& out, ConsoleStream& err);
    RemovalCommand(const RemovalCommand&) = delete;
    RemovalCommand& operator=(const RemovalCommand&) = delete;

    // Runs the command once; the exit code, as Windows Installer numbers them.
    int run();

private:
    int removeOrRefuse();
    // Sets the run up for the product: for remove, from its uninstall entry; for
    // clean, without it. An exit code when the run may not start, else 0.
    int setUp(const ProductRecord& product);
    int removeInstalled(const ProductRecord& product, BackupFolder& backup);
    // The folders the run would delete whole, and what a backup's list begins with.
    std::vector<String> foldersDeleted(const ProductRecord& product) const;
    Manifest backupHeader(const ProductRecord& product) const;
    // An end before the run: why goes to standard error, the log and the summary.
    int endEarly(int exitCode, const String& why);
    // The log's last line and its own failure; the document with --json.
    int finish(int exitCode);
    String document(int exitCode) const;
    String request() const;
    // Where the lines meant for standard output go.
    ConsoleStream& lines() { return jsonOnly ? silent : out; }

    bool cleaning() const;

    const ConsoleArguments& arguments;
    RunSetup setup;
    ConsoleStream& out;
    ConsoleStream& err;
    ConsoleStream silent;
    bool jsonOnly;
    LogFile log;
    const StopRequest* stop = nullptr;
    String productName;
    String summary;
    String items = "[]";
    String messages = "[]";
    bool restartNeeded = false;
};
