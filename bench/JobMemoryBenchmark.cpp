// Peak memory of the translation job against the size of the file it holds:
// a generated file of the given number of lines is loaded, one entry
// translated and Exit run, in a fresh process so that only the job's own
// memory counts. Prints the file size, the peak resident size and their ratio.
#include "bench/GeneratedLanguageFile.h"
#include "testing/JobRig.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long peakKilobytes(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    return usage.ru_maxrss;
}

int runJob(const std::string& path)
{
    kalmo::testing_support::JobRig rig;
    rig.load(path);
    rig.windows.translation = "vertaald";
    rig.job.Volgende();
    rig.job.Exit1Click();
    return rig.windows.ended ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--job")
        return runJob(argv[2]);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    const std::string path = kalmo::bench::generatedFiles().pathFor(lines);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/proc/self/exe", argv[0], "--job", path.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the job on %s did not end normally\n", path.c_str());
        return 1;
    }
    const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    const double peakMb = static_cast<double>(peakKilobytes(RUSAGE_CHILDREN)) * 1024 / 1e6;
    std::printf("%d lines: file %.1f MB, peak %.1f MB, %.1fx the file\n", lines, fileMb, peakMb, peakMb / fileMb);
    return 0;
}
