#include "XdoClient.h"

#include <sstream>

#include "TestSupport.h"

namespace testing_support {

XdoAnswer Xdo(const std::string& verb, const std::string& argument, DWORD timeoutMs) {
    const std::string dir = BuildDrive() + "xdo";
    const std::string stem = dir + "\\" + UniqueName("req");
    XdoAnswer answer;
    // Written under another name first: the driver must never see half a request.
    WriteFileText(stem + ".tmp", verb + "\n" + argument + "\n");
    if (!MoveFileA((stem + ".tmp").c_str(), (stem + ".req").c_str())) return answer;
    const std::string out = stem + ".out";
    if (!PumpUntil([&] { return PathExists(out); }, timeoutMs)) {
        DeleteFileA((stem + ".req").c_str());
        return answer;
    }
    std::istringstream in(ReadFileText(out));
    DeleteFileA(out.c_str());
    std::string line;
    std::getline(in, line);
    answer.answered = true;
    answer.code = std::atoi(line.c_str());
    std::ostringstream rest;
    rest << in.rdbuf();
    answer.output = rest.str();
    while (!answer.output.empty() && answer.output.back() == '\n') answer.output.pop_back();
    return answer;
}

bool XdoFocus(const std::string& title) {
    auto a = Xdo("focus", title);
    return a.answered && a.code == 0;
}

bool XdoKey(const std::string& keys) {
    auto a = Xdo("key", keys);
    return a.answered && a.code == 0;
}

int XdoVisibleCount(const std::string& title) {
    auto a = Xdo("visible", title);
    if (!a.answered) return -1;
    int count = 0;
    std::istringstream in(a.output);
    std::string id;
    while (in >> id) ++count;
    return count;
}

}  // namespace testing_support
