#include "BatchCommand.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "BatchJobs.hpp"
#include "BatchList.hpp"
#include "BatchProgress.hpp"
#include "CommandSession.hpp"
#include "ExitCode.hpp"
#include "GenerationOptions.hpp"
#include "PrintOptions.hpp"
#include "PrintSettings.hpp"
#include "WholeNumber.hpp"
#include "tipolaria/text.hpp"

namespace tipolaria::cli {
namespace {

struct BatchRequest {
  SessionOptions session;
  std::string out_folder;
  std::string from;
  std::vector<std::string> iddtexts;
  GenerationOptions generation;
  PrintSettings settings;
  PrintOutputs pictures;  // --png and --logo; the documents are named per declaration
  unsigned jobs = 1;
};

// What became of one declaration.
struct Outcome {
  bool generated = false;
  std::string cover;         // the file written, or empty
  std::string continuation;  // the file written, or empty
  OperationResult failure;   // the first result that failed; its JSON empty for none

  bool ok() const { return failure.json.empty(); }
};

std::string JsonPath(const std::string& path) { return path.empty() ? "null" : JsonString(path); }

// The declaration's JSON line: its iddtext, the result, the documents
// written and, on failure, the failing operation's own JSON result.
std::string OutcomeLine(const std::string& iddtext, const Outcome& outcome) {
  std::string line = "{\"iddtext\": " + JsonString(iddtext) +
                     ", \"Result\": " + (outcome.ok() ? "\"OK\"" : "\"ERR\"") +
                     ", \"cover\": " + JsonPath(outcome.cover) +
                     ", \"continuation\": " + JsonPath(outcome.continuation);
  if (!outcome.ok()) line += ", \"error\": " + outcome.failure.json;
  return line + "}";
}

// One declaration, from a fresh driver, as a separate run of `generate`
// would print it. Nothing it does raises: failures are in the outcome. The
// jobs of a batch run it at once, each on its own session.
Outcome PrintOne(Session& print, const BatchRequest& request, const std::string& iddtext) {
  Outcome outcome;
  print.CleanIMP();
  ApplyPrintSettings(print, request.settings);
  const OperationResult generated =
      ResultOf(print, "generation", Generate(print, request.generation, iddtext));
  if (!generated.ok()) {
    outcome.failure = generated;
    return outcome;
  }
  outcome.generated = true;
  ApplyPrintRange(print, request.settings);

  const std::filesystem::path stem = std::filesystem::path(request.out_folder) / FileStem(iddtext);
  PrintOutputs outputs = request.pictures;
  outputs.cover = stem.string() + "-cover.pdf";
  const Session::Pages pages = print.GetPages();
  if (pages.TotalHojas > pages.CaratulaHojas) {
    outputs.continuation = stem.string() + "-continuation.pdf";
  } else {
    // Without continuation pages there is no continuation document; one
    // left by an earlier batch would belong to another generation.
    std::error_code ignored;
    std::filesystem::remove(stem.string() + "-continuation.pdf", ignored);
  }
  // Both documents are tried; the line reports the first failure, and
  // names each document written.
  const std::vector<OperationResult> results = PrintDocuments(print, outputs);
  for (const OperationResult& result : results) {
    if (!result.ok() && outcome.ok()) outcome.failure = result;
  }
  if (!results.empty() && results[0].ok()) outcome.cover = outputs.cover;
  if (results.size() == 2 && results[1].ok()) outcome.continuation = outputs.continuation;
  return outcome;
}

std::vector<std::string> Declarations(const BatchRequest& request) {
  if (request.from.empty()) return request.iddtexts;
  const auto unreadable = [&](int error) {
    Fail(kExitUsage, "batch: cannot read the list of declarations \"" + request.from +
                         "\": " + std::generic_category().message(error));
  };
  std::vector<std::string> list;
  if (request.from == "-") {
    list = ReadBatchList(std::cin);
    if (std::cin.bad()) unreadable(EIO);
    return list;
  }
  // A folder opens as a stream that reads nothing: no empty list, but the
  // reason it is no list.
  std::error_code ignored;
  if (std::filesystem::is_directory(request.from, ignored)) unreadable(EISDIR);
  std::ifstream in(request.from);
  if (!in) unreadable(errno);
  list = ReadBatchList(in);
  if (in.bad()) unreadable(EIO);
  return list;
}

int Run(const BatchRequest& request) {
  const std::vector<std::string> iddtexts = Declarations(request);
  if (iddtexts.empty()) {
    Fail(kExitUsage, "batch: no declaration to print: give IDDTEXT... or --from FILE");
  }
  if (request.jobs > 1 && request.session.sql_log) {
    Fail(kExitUsage, "batch: --sql-log records one session's requests: give it with --jobs 1");
  }
  // The database first: a batch without one leaves no output folder behind.
  // Every job's session is open before any starts, so that a database that
  // cannot be opened ends the batch at once, whatever the number of jobs.
  std::vector<std::unique_ptr<CommandSession>> sessions;
  std::vector<Session*> jobs;
  while (jobs.size() < std::min<std::size_t>(request.jobs, iddtexts.size())) {
    sessions.push_back(std::make_unique<CommandSession>(request.session));
    jobs.push_back(&sessions.back()->print());
  }
  std::error_code error;
  std::filesystem::create_directories(request.out_folder, error);
  if (error) {
    Fail(kExitPrint, "batch: cannot create the output folder \"" + request.out_folder +
                         "\": " + error.message());
  }
  for (Session* print : jobs) PrepareDatabase(*print, request.generation);

  const auto start = std::chrono::steady_clock::now();
  BatchProgress progress(iddtexts.size());
  std::size_t failed_generations = 0;
  std::size_t failed_prints = 0;
  progress.Show(0, iddtexts[0]);
  RunJobs<Outcome>(
      jobs, iddtexts.size(),
      [&](Session& print, std::size_t i) { return PrintOne(print, request, iddtexts[i]); },
      [&](std::size_t i, const Outcome& outcome) {
        if (!outcome.ok()) {
          ++(outcome.generated ? failed_prints : failed_generations);
          progress.Clear();
          Report("batch: " + iddtexts[i] + ": " + FailureMessage(outcome.failure));
        }
        std::cout << OutcomeLine(iddtexts[i], outcome) << std::endl;
        if (i + 1 < iddtexts.size()) progress.Show(i + 1, iddtexts[i + 1]);
      });
  progress.Clear();

  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const std::size_t failed = failed_generations + failed_prints;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", elapsed.count());
  std::cerr << "tipolaria: batch: " << iddtexts.size() << " declarations, "
            << iddtexts.size() - failed << " printed, " << failed << " failed (" << seconds << " s)"
            << std::endl;
  if (failed_generations > 0) return kExitGeneration;
  return failed_prints > 0 ? kExitPrint : kExitOk;
}

}  // namespace

void AddBatchCommand(CLI::App& app) {
  CLI::App* c = app.add_subcommand(
      "batch",
      "Generate and print many declarations, each to OUT/<iddtext>-cover.pdf and "
      "OUT/<iddtext>-continuation.pdf; one JSON line per declaration on stdout, in the order of "
      "the list");
  auto request = std::make_shared<BatchRequest>();
  AddSessionOptions(*c, request->session);
  c->add_option("--out,-o", request->out_folder, "Folder of the PDF files (created if missing)")
      ->required();
  CLI::Option* from =
      c->add_option("--from", request->from,
                    "A file with one iddtext a line (- for stdin); empty lines are skipped");
  c->add_option("IDDTEXT", request->iddtexts, "The declarations (DDT.iddtext)")->excludes(from);
  AddGenerationOptions(*c, request->generation, /*with_idorig=*/false);
  AddPrintSettings(*c, request->settings, /*with_range=*/false);
  AddPictureOptions(*c, request->pictures);
  c->add_option("--jobs,-j", request->jobs,
                "Declarations printed at once, each in a session of its own (default: 1); "
                "generations on one database take turns, prints run side by side")
      ->transform(WholeNumber(1, 64));
  c->footer(
      "A declaration that fails is reported on its JSON line and the batch goes on. The JSON\n"
      "line: {\"iddtext\": ..., \"Result\": \"OK\" or \"ERR\", \"cover\": file or null,\n"
      "\"continuation\": file or null[, \"error\": the failing operation's JSON result]}.\n"
      "In file names, / \\ % and control characters of an iddtext are written %XX.\n" +
      std::string(kExitCodesHelp));
  c->callback([request] {
    const int status = Run(*request);
    if (status != kExitOk) throw CLI::RuntimeError(status);
  });
}

}  // namespace tipolaria::cli
