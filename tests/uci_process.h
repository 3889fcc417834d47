// A UCI engine as a child process, spoken to line by line through pipes.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

class UciProcess {
public:
    // With join_stderr the child's standard error goes into the same pipe, as
    // some interfaces' adapters have it.
    explicit UciProcess(const std::vector<std::string>& argv, bool join_stderr = false) {
        int in[2], out[2];
        if (pipe(in) || pipe(out)) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            if (join_stderr) dup2(out[1], 2);
            close(in[1]);
            close(out[0]);
            std::vector<char*> args;
            for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        to_ = in[1];
        from_ = out[0];
        signal(SIGPIPE, SIG_IGN);
    }
    ~UciProcess() {
        if (pid_ <= 0) return;
        Send("quit");
        close(to_);
        close(from_);
        int status;
        for (int i = 0; i < 100 && waitpid(pid_, &status, WNOHANG) == 0; i++) usleep(20000);
        if (waitpid(pid_, &status, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
    }
    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    void Send(const std::string& line) {
        std::string l = line + "\n";
        if (write(to_, l.data(), l.size()) < 0) {}
    }
    // The next line, or false when none comes within the time.
    bool ReadLine(std::string* line, std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        for (;;) {
            size_t nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                *line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return true;
            }
            if (!Fill(end)) return false;
        }
    }
    // Reads until what has come ends with `tail` (a prompt, no line break
    // after it); all that came is in *seen.
    bool WaitForTail(const std::string& tail, std::string* seen, std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (buffer_.size() < tail.size() ||
               buffer_.compare(buffer_.size() - tail.size(), tail.size(), tail))
            if (!Fill(end)) return false;
        *seen = buffer_;
        buffer_.clear();
        return true;
    }
    // Ends the input and waits for the exit: the child's exit status, -1 when killed.
    int Finish() {
        close(to_);
        char buf[4096];
        while (read(from_, buf, sizeof buf) > 0) {}
        close(from_);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Reads until a line starting with `prefix`; collects every line read.
    bool WaitFor(const std::string& prefix, std::string* found, std::chrono::milliseconds limit,
                 std::vector<std::string>* seen = nullptr) {
        std::string line;
        while (ReadLine(&line, limit)) {
            if (seen) seen->push_back(line);
            if (line.compare(0, prefix.size(), prefix) == 0) {
                *found = line;
                return true;
            }
        }
        return false;
    }

private:
    // More of the output, waiting no later than `end`; false when none comes.
    bool Fill(std::chrono::steady_clock::time_point end) {
        for (;;) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{from_, POLLIN, 0};
            if (poll(&p, 1, (int)left.count()) <= 0) continue;
            char buf[4096];
            ssize_t n = read(from_, buf, sizeof buf);
            if (n <= 0) return false;
            buffer_.append(buf, (size_t)n);
            return true;
        }
    }

    pid_t pid_ = -1;
    int to_ = -1, from_ = -1;
    std::string buffer_;
};
