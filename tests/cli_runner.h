// Runs the terminal tool as other programs do, for the tests.
#pragma once

#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct RUN_T {
    int status;
    std::string out;
    std::string err;
};

// Runs `tamzor-cli args` with standard output and standard error kept apart
// (the error file is private to this process: tests run in parallel), in
// the working directory `dir` when one is given.
inline RUN_T RunTool(const std::string& args, const std::string& dir = "") {
    static int serial;
    std::string err_file = testing::TempDir() + "tamzor_cli_err_" + std::to_string(getpid()) + "_" +
                           std::to_string(serial++);
    std::string cmd =
        (dir.empty() ? "" : "cd '" + dir + "' && ") + std::string(TAMZOR_CLI) + " " + args + " 2>" + err_file;
    RUN_T r{-1, "", ""};
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0) r.out.append(buf.data(), n);
    int st = pclose(f);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::ifstream in(err_file);
    std::stringstream ss;
    ss << in.rdbuf();
    r.err = ss.str();
    std::remove(err_file.c_str());
    return r;
}

// A file's text, "" when it cannot be read.
inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A file of tests/data.
inline std::string DataFile(const std::string& name) {
    return std::string(TAMZOR_SOURCE_DIR) + "/tests/data/" + name;
}

inline bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The lines of a text, without their line breaks.
inline std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> v;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);) v.push_back(line);
    return v;
}

// Bad input: exit status 2, nothing on standard output, one line on
// standard error that names the bad part.
inline void ExpectRefused(const std::string& args, const std::string& named) {
    RUN_T r = RunTool(args);
    EXPECT_EQ(r.status, 2) << args << "\n" << r.out << r.err;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(Lines(r.err).size(), 1u) << args << "\n" << r.err;
    EXPECT_NE(r.err.find(named), std::string::npos) << args << "\n" << r.err;
}

// Every part is somewhere in the text.
inline void ExpectHas(const std::string& text, std::initializer_list<std::string> parts) {
    for (const std::string& p : parts)
        EXPECT_NE(text.find(p), std::string::npos) << "no '" << p << "' in:\n" << text;
}

// No part is anywhere in the text.
inline void ExpectLacks(const std::string& text, std::initializer_list<std::string> parts) {
    for (const std::string& p : parts)
        EXPECT_EQ(text.find(p), std::string::npos) << "'" << p << "' in:\n" << text;
}

// How many times the part is in the text.
inline size_t CountOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
    return n;
}
