#pragma once
// A D2XX driver whose every operation answers from a script, recording the calls in order, to
// check what the link does on each step's failure.
#include "device/FtDriver.h"

#include <QStringList>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace drivo::test {

class ScriptedDriver final : public FtDriver {
public:
    std::map<std::string, FT_STATUS> failing; // operation name -> status it returns
    QStringList devices = {"z-rallye"};
    int opensFailing = 0;                     // the first n opens fail
    std::string answer = "$GVB,11200,4d\r\n"; // what FT_Read delivers (cut at the count asked)
    DWORD overReport = 0;                     // extra bytes FT_Read claims beyond what was asked
    std::function<void()> onWrite;

    std::vector<std::string> written;
    // The link calls in on the test's own thread, so no lock is needed.
    QStringList calls;

    FT_STATUS FT_CreateDeviceInfoList(DWORD* n) override {
        *n = DWORD(devices.size());
        return Step("FT_CreateDeviceInfoList");
    }
    FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* n) override {
        for (DWORD i = 0; i < *n && i < DWORD(devices.size()); ++i)
            devices[i].toStdString().copy(list[i].Description, sizeof list[i].Description - 1);
        return Step("FT_GetDeviceInfoList");
    }
    FT_STATUS FT_OpenEx(const void* arg, DWORD flags, FT_HANDLE* h) override {
        if (std::string(static_cast<const char*>(arg)) != "z-rallye" ||
            flags != FT_OPEN_BY_DESCRIPTION)
            return FT_INVALID_PARAMETER;
        *h = this;
        if (opensFailing > 0 && opensFailing-- > 0)
            return Step("FT_OpenEx", FT_DEVICE_NOT_OPENED);
        return Step("FT_OpenEx");
    }
    FT_STATUS FT_SetBaudRate(FT_HANDLE, ULONG baud) override {
        return Step("FT_SetBaudRate " + std::to_string(baud));
    }
    FT_STATUS FT_SetTimeouts(FT_HANDLE, ULONG r, ULONG w) override {
        return Step("FT_SetTimeouts " + std::to_string(r) + " " + std::to_string(w));
    }
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE, UCHAR b, UCHAR s, UCHAR p) override {
        return Step("FT_SetDataCharacteristics " + std::to_string(b) + " " + std::to_string(s) +
                    " " + std::to_string(p));
    }
    FT_STATUS FT_Write(FT_HANDLE, const void* data, DWORD n, DWORD* done) override {
        written.emplace_back(static_cast<const char*>(data), n);
        *done = n;
        if (onWrite)
            onWrite();
        return Step("FT_Write");
    }
    FT_STATUS FT_Read(FT_HANDLE, void* data, DWORD n, DWORD* got) override {
        const std::string bytes = answer.substr(0, n);
        bytes.copy(static_cast<char*>(data), bytes.size());
        *got = DWORD(bytes.size()) + overReport;
        return Step("FT_Read " + std::to_string(n));
    }
    FT_STATUS FT_Close(FT_HANDLE) override { return Step("FT_Close"); }

private:
    FT_STATUS Step(const std::string& call, FT_STATUS otherwise = FT_OK) {
        calls << QString::fromStdString(call);
        const auto it = failing.find(call.substr(0, call.find(' ')));
        return it != failing.end() ? it->second : otherwise;
    }
};

} // namespace drivo::test
