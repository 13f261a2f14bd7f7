// Start-up of a small GUI application: from process start to its first form shown and
// dumped, and to its exit, with the peak memory of the process.
//
// Run without arguments it is the harness: it starts itself N times as the application
// (a script that dumps the first form and presses Exit), and prints the medians.
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/vcl/vcl.h"

namespace {

using namespace vcl;

double now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

class TfrmBench : public TForm {
 public:
  explicit TfrmBench(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(441);
    SetClientHeight(294);
    for (int i = 0; i < 6; ++i) {
      auto* label = Make<TLabel>("Label" + std::to_string(i));
      label->SetBounds(128, 8 + i * 20, 0, 0);
      auto* edit = Make<TEdit>("Edit" + std::to_string(i));
      edit->SetBounds(240, 8 + i * 20, 185, 19);
    }
    memo = Make<TMemo>("Memo1");
    memo->SetBounds(128, 130, 305, 100);
    exit = Make<TButton>("btnExit");
    exit->SetBounds(368, 264, 65, 25);
    exit->OnClick = [](TObject*) { Application->Terminate(); };
    OnCreate = [this](TObject*) {
      SetCaption("Benchmark");
      exit->SetCaption("E&xit");
      for (int i = 0; i < 6; ++i) static_cast<TLabel*>(FindControl("Label" + std::to_string(i)))->SetCaption("Caption number " + std::to_string(i));
      for (int i = 0; i < 20; ++i) memo->Lines->Add("A line of explanatory text for the benchmark page.");
    };
  }
  TMemo* memo;
  TButton* exit;
};

class TfrmBenchBack : public TForm {
 public:
  explicit TfrmBenchBack(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetWindowState(wsMaximized);
    SetColor(clNavy);
  }
};

int application() {
  TfrmBenchBack* back = nullptr;
  TfrmBench* page = nullptr;
  Application->Initialize();
  Application->CreateForm(back);
  Application->CreateForm(page);
  back->OnActivate = [page, once = false](TObject*) mutable {
    if (once) return;
    once = true;
    page->ShowModal();
  };
  Application->Run();
  return 0;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("VCL_BENCH_CHILD")) return application();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const std::string dir = "/tmp/vcl_startup_bench." + std::to_string(getpid());
  const std::string script = dir + "/script.txt", dump = dir + "/first.json";
  std::system(("mkdir -p " + dir).c_str());
  std::ofstream(script) << "dump " << dump << "\nclick btnExit\n";
  std::vector<double> to_dump, to_exit, peak_mb;
  for (int i = 0; i < runs; ++i) {
    std::remove(dump.c_str());
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("VCL_BENCH_CHILD", "1", 1);
      setenv("SETUP_SCRIPT", script.c_str(), 1);
      execv("/proc/self/exe", argv);
      _exit(127);
    }
    // The dump file appears when the first form has been shown and dumped.
    double dumped = 0;
    int status = 0;
    rusage usage{};
    while (true) {
      if (dumped == 0 && access(dump.c_str(), F_OK) == 0) dumped = now_ms();
      const pid_t done = wait4(pid, &status, WNOHANG, &usage);
      if (done == pid) break;
      usleep(200);
    }
    const double ended = now_ms();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || dumped == 0) {
      std::fprintf(stderr, "run %d failed (status %d)\n", i, status);
      return 1;
    }
    to_dump.push_back(dumped - start);
    to_exit.push_back(ended - start);
    peak_mb.push_back(usage.ru_maxrss / 1024.0);
  }
  std::system(("rm -rf " + dir).c_str());
  std::printf("runs: %d\n", runs);
  std::printf("first form shown and dumped: median %.1f ms (min %.1f, max %.1f)\n", median(to_dump),
              *std::min_element(to_dump.begin(), to_dump.end()), *std::max_element(to_dump.begin(), to_dump.end()));
  std::printf("exit: median %.1f ms\n", median(to_exit));
  std::printf("peak memory (max RSS): median %.1f MB (max %.1f MB)\n", median(peak_mb),
              *std::max_element(peak_mb.begin(), peak_mb.end()));
  return 0;
}
