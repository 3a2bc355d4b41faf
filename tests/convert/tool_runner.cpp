#include "tool_runner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace glyphmill::test {
namespace {

void check(int result, const char *what) {
    if (result != 0)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(result));
}

std::vector<std::string> environmentFor(const std::optional<std::size_t> &bufferSize) {
    std::vector<std::string> environment;
    for (char **entry = environ; *entry; ++entry) {
        if (!std::string_view(*entry).starts_with("GLYPHMILL_CONVERT_BUFFER="))
            environment.emplace_back(*entry);
    }
    if (bufferSize)
        environment.push_back("GLYPHMILL_CONVERT_BUFFER=" + std::to_string(*bufferSize));
    return environment;
}

std::vector<char *> pointers(std::vector<std::string> &texts) {
    std::vector<char *> result;
    for (auto &text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

ToolRun::ToolRun(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments)) {}

ToolRun &ToolRun::input(std::string text) {
    m_input = std::move(text);
    return *this;
}

ToolRun &ToolRun::bufferSize(std::size_t size) {
    m_bufferSize = size;
    return *this;
}

ToolRun &ToolRun::outputFile(std::string path) {
    m_outputFile = std::move(path);
    return *this;
}

ToolRun &ToolRun::closedPipe(bool ignoreSigpipe) {
    m_closedPipe = true;
    m_ignoreSigpipe = ignoreSigpipe;
    return *this;
}

ToolResult ToolRun::run() const {
    // Whatever the tool does to its output, the tests must not die of it.
    std::signal(SIGPIPE, SIG_IGN);
    const TempFolder folder;
    const std::string inputPath = folder.write("stdin", m_input);
    const std::string outPath = folder.path("stdout");
    const std::string errPath = folder.path("stderr");

    posix_spawn_file_actions_t actions;
    check(posix_spawn_file_actions_init(&actions), "file actions");
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inputPath.c_str(), O_RDONLY, 0);
    int pipeEnds[2] = {-1, -1};
    if (m_closedPipe) {
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    } else {
        const std::string &target = m_outputFile ? *m_outputFile : outPath;
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, target.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);

    // The test program ignores SIGPIPE; the tool starts with it at its
    // default unless the run asks otherwise.
    posix_spawnattr_t attributes;
    check(posix_spawnattr_init(&attributes), "spawn attributes");
    sigset_t defaults;
    sigemptyset(&defaults);
    if (!m_ignoreSigpipe)
        sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> arguments{GLYPHMILL_CONVERT_PATH};
    arguments.insert(arguments.end(), m_arguments.begin(), m_arguments.end());
    std::vector<std::string> environment = environmentFor(m_bufferSize);
    std::vector<char *> argv = pointers(arguments);
    std::vector<char *> envp = pointers(environment);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, GLYPHMILL_CONVERT_PATH, &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    check(spawned, "spawn");

    int waitStatus = 0;
    while (::waitpid(pid, &waitStatus, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("waitpid");
    }
    ToolResult result;
    if (WIFEXITED(waitStatus))
        result.status = WEXITSTATUS(waitStatus);
    else if (WIFSIGNALED(waitStatus))
        result.signal = WTERMSIG(waitStatus);
    if (!m_closedPipe && !m_outputFile)
        result.out = TempFolder::read(outPath);
    result.err = TempFolder::read(errPath);
    return result;
}

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "glyphmill-convert-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::path(const std::string &name) const {
    return (m_path / name).string();
}

std::string TempFolder::write(const std::string &name, const std::string &content) const {
    const std::string file = path(name);
    std::ofstream stream(file, std::ios::binary);
    stream.write(content.data(), static_cast<std::streamsize>(content.size()));
    return file;
}

std::string TempFolder::read(const std::string &path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

} // namespace glyphmill::test
