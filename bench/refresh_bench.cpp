// jumpboard_bench: the time of one UpdateDisplay in every round and layout, per engine, field size and
// with or without the RACE indexes, next to the statements it sends and the engine's `select 1` floor.
//
//   jumpboard_bench [--engines=SQLite,Firebird] [--sizes=60,500,5000] [Google Benchmark flags]
//
// Counters of each row: stmts (statements per refresh), select1_us (one `select 1` round trip through
// the layer on the board's own connection), floor_us (stmts x select1_us).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <cstring>
#include <map>
#include <utility>
#include <vector>
#include <memory>
#include <string>

#include "Common.h"
#include "Field.h"
#include "platform/db/Query.h"
#include "support/BoardFixture.h"

namespace {

// One database and board at a time, kept while consecutive benchmarks share its engine and size:
// building a field of 5,000 rows twice takes longer than the benchmarks on it.
struct Stage {
  Stage(Engine e, int rows) : engine(e), fixture(e), field(fixture.schema, rows) {
    fixture.start();
    // The benchmark loop is the only caller: a tick in between would add statements of its own.
    fixture.board().timer()->stop();
    if (fixture.closed() || !fixture.dialogs.shown.empty()) throw std::runtime_error("the board did not start");
    selectOneUs = selectOneMicros(fixture.board().database(), fixture.db.driver(), 300);
  }
  Engine engine;
  BoardFixture fixture;
  Field field;
  double selectOneUs = 0;
};

std::unique_ptr<Stage> g_stage;

Stage& stage(Engine engine, int rows) {
  if (!g_stage || g_stage->engine != engine || g_stage->field.rows() != rows) {
    g_stage.reset();
    g_stage = std::make_unique<Stage>(engine, rows);
  }
  return *g_stage;
}

void settle() { QCoreApplication::processEvents(); }

void refreshBench(benchmark::State& state, Engine engine, int rows, Indexes indexes, Layout layout, Round round) {
  try {
    Stage& s = stage(engine, rows);
    s.field.setIndexes(indexes);
    s.field.show(layout, round);
    TFedit& board = s.fixture.board();
    board.UpdateDisplay();
    settle();
    if (s.fixture.closed() || !s.fixture.dialogs.shown.empty()) {
      state.SkipWithError("the board failed to refresh");
      g_stage.reset();
      return;
    }
    const std::uint64_t before = Query::statementsSent();
    for (auto _ : state) {
      board.UpdateDisplay();
      // Painting is the window's business, not the refresh's; posted events must not pile up though.
      state.PauseTiming();
      settle();
      state.ResumeTiming();
    }
    const double statements = double(Query::statementsSent() - before) / double(state.iterations());
    state.counters["stmts"] = statements;
    state.counters["select1_us"] = s.selectOneUs;
    state.counters["floor_us"] = statements * s.selectOneUs;
    if (s.fixture.closed()) state.SkipWithError("the board closed during the benchmark");
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    g_stage.reset();
  }
}

void selectOneBench(benchmark::State& state, Engine engine, int rows) {
  try {
    Stage& s = stage(engine, rows);
    Query query(s.fixture.board().database());
    query.setSql({selectOneStatement(s.fixture.db.driver())});
    query.open();
    for (auto _ : state) query.open();
    state.counters["stmts"] = 1;
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    g_stage.reset();
  }
}

// What each UpdateDisplay benchmark measured, for the summary tables printed at the end.
struct Case {
  Engine engine;
  int rows;
  Indexes indexes;
  Layout layout;
  Round round;
};
struct Result {
  double us = 0;
  double statements = 0;
  double selectOneUs = 0;
};
std::vector<std::pair<std::string, Case>> g_cases;  // in registration order
std::map<std::string, Result> g_results;

// Prints one line a benchmark: with --benchmark_repetitions, the median of the repetitions, which a
// burst of other work on a shared machine moves least.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : benchmark::ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") shown.push_back(run);
    }
    if (shown.empty()) {
      for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration) shown.push_back(run);
      }
      // Repeated runs report each repetition first and their aggregates afterwards.
      if (shown.size() > 1) return;
    }
    benchmark::ConsoleReporter::ReportRuns(shown);
    for (const Run& run : shown) {
      if (run.error_occurred) continue;
      Result r;
      r.us = run.GetAdjustedRealTime();  // every benchmark here reports microseconds
      if (auto it = run.counters.find("stmts"); it != run.counters.end()) r.statements = it->second.value;
      if (auto it = run.counters.find("select1_us"); it != run.counters.end()) r.selectOneUs = it->second.value;
      g_results[run.run_name.function_name] = r;
    }
  }
};

QString ms(const std::string& name) {
  const auto it = g_results.find(name);
  return it == g_results.end() ? QStringLiteral("-") : QString::number(it->second.us / 1000.0, 'f', 2);
}

// Markdown tables: the refresh by field size with the lookup indexes, then the index sets at the
// largest size.
void printSummary(const std::vector<Engine>& engines, const QList<int>& sizes) {
  QTextStream out(stdout);
  auto find = [](Engine e, int rows, Indexes i, Layout l, Round r) -> std::string {
    for (const auto& [name, c] : g_cases) {
      if (c.engine == e && c.rows == rows && c.indexes == i && c.layout == l && c.round == r) return name;
    }
    return {};
  };
  out << "\nUpdateDisplay, ms per refresh (RACE indexes: lookup); floor = statements x `select 1`\n\n"
      << "| engine | layout | round | statements | `select 1` us | floor ms |";
  for (int rows : sizes) out << " " << rows << " rows |";
  out << "\n|---|---|---|---|---|---|" << QStringLiteral("---|").repeated(sizes.size()) << "\n";
  for (Engine e : engines) {
    for (Layout l : {Layout::Individual, Layout::Team}) {
      for (Round r : {Round::Trial, Round::First, Round::Second}) {
        const auto it = g_results.find(find(e, sizes.first(), Indexes::Lookup, l, r));
        if (it == g_results.end()) continue;
        // The select1 benchmark's own figure where it ran, else the one measured when the board started.
        const auto own = g_results.find(std::string("select1/") + engineName(e));
        const double floorUs = own != g_results.end() ? own->second.us : it->second.selectOneUs;
        out << "| " << engineName(e) << " | " << layoutName(l) << " | " << roundName(r) << " | "
            << it->second.statements << " | " << QString::number(floorUs, 'f', floorUs < 10 ? 1 : 0) << " | "
            << QString::number(it->second.statements * floorUs / 1000.0, 'f', 2) << " |";
        for (int rows : sizes) out << " " << ms(find(e, rows, Indexes::Lookup, l, r)) << " |";
        out << "\n";
      }
    }
  }
  const int largest = sizes.last();
  QString byIndexes;
  for (Engine e : engines) {
    for (Layout l : {Layout::Individual, Layout::Team}) {
      for (Round r : {Round::Trial, Round::First, Round::Second}) {
        if (g_results.find(find(e, largest, Indexes::None, l, r)) == g_results.end()) continue;
        byIndexes += QStringLiteral("| %1 | %2 | %3 |").arg(QString::fromUtf8(engineName(e)),
                                                           QString::fromUtf8(layoutName(l)),
                                                           QString::fromUtf8(roundName(r)));
        for (Indexes i : {Indexes::None, Indexes::Lookup, Indexes::Ranks})
          byIndexes += u' ' + ms(find(e, largest, i, l, r)) + QStringLiteral(" |");
        byIndexes += u'\n';
      }
    }
  }
  if (!byIndexes.isEmpty()) {
    out << "\nUpdateDisplay at " << largest << " rows, ms per refresh by RACE indexes\n\n"
        << "| engine | layout | round | none | lookup | ranks |\n|---|---|---|---|---|---|\n"
        << byIndexes;
  }
  out.flush();
}

QString takeOption(int& argc, char** argv, const char* name) {
  const std::string prefix = std::string("--") + name + "=";
  QString value;
  int out = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
      value = QString::fromLocal8Bit(argv[i] + prefix.size());
    } else {
      argv[out++] = argv[i];
    }
  }
  argc = out;
  return value;
}

void registerAll(const std::vector<Engine>& engines, const QList<int>& sizes) {
  for (Engine engine : engines) {
    const std::string e = engineName(engine);
    for (int rows : sizes) {
      if (rows == sizes.first()) {
        benchmark::RegisterBenchmark(("select1/" + e).c_str(), selectOneBench, engine, rows)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
      }
      for (Indexes indexes : {Indexes::None, Indexes::Lookup, Indexes::Ranks}) {
        for (Layout layout : {Layout::Individual, Layout::Team}) {
          for (Round round : {Round::Trial, Round::First, Round::Second}) {
            const std::string name = "UpdateDisplay/" + e + "/rows:" + std::to_string(rows) +
                                     "/idx:" + indexesName(indexes) + "/" + layoutName(layout) + "/" +
                                     roundName(round);
            g_cases.push_back({name, Case{engine, rows, indexes, layout, round}});
            benchmark::RegisterBenchmark(name.c_str(), refreshBench, engine, rows, indexes, layout, round)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
          }
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepareBoardApplication();

  const QString engineList = takeOption(argc, argv, "engines");
  const QString sizeList = takeOption(argc, argv, "sizes");
  QList<int> sizes;
  for (const QString& size : (sizeList.isEmpty() ? QStringLiteral("60,500,5000") : sizeList).split(u',')) {
    bool ok = false;
    const int rows = size.toInt(&ok);
    if (!ok || rows < 2) {
      fprintf(stderr, "--sizes takes row counts of 2 or more, such as 60,500,5000\n");
      return 2;
    }
    sizes << rows;
  }
  std::vector<Engine> engines;
  try {
    engines = selectEngines(engineList);
  } catch (const std::exception& e) {
    fprintf(stderr, "%s\n", e.what());
    return 2;
  }

  registerAll(engines, sizes);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  g_stage.reset();
  printSummary(engines, sizes);
  benchmark::Shutdown();
  return 0;
}
