#pragma once
// The updater's own operations behind a command line, one process per benchmark
// run, so that each round starts a program and opens its connections as curl and
// isql-fb do.
#include <functional>
#include <string>
#include <vector>

namespace trev::fetcher {

constexpr const char* kReportedSecondsTag = "reported-seconds:";

// Prints kReportedSecondsTag and the seconds, for the benchmark to read.
void printReportedSeconds(double seconds);
// The same for the seconds that work() took.
void reportSecondsOf(const std::function<void()>& work);

// The transfers and the runner report the seconds of the work itself, with the
// window already up, as the update run has it before its first download or script.

// HttpGetToFile(url, local), with the progress window shown when window is set.
void httpGet(const std::string& url, const std::string& local, bool window);
// FtpOpen, FtpGetToFile(remote, local), FtpClose against host:port with the
// updater's account, with the progress window shown when window is set.
void ftpGet(const std::string& host, int port, const std::string& remote, const std::string& local, bool window);
// The version check of the web update screen; raises unless it listed expectedRows.
// Prints kReportedSecondsTag and the seconds from the timer's firing to the filled list.
void versionCheck(char protocolLetter, const std::string& host, int httpPort, int ftpPort, int expectedRows);
// The script runner on a database, with FrmAguardeSQL shown when window is set;
// the seconds reported run from the attach to the commit.
void runScript(const std::string& database, const std::string& script, bool window);

}  // namespace trev::fetcher
