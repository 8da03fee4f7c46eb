#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/thread.h"

// A named worker thread that runs `work` at once; destroying the record waits
// for it.
std::unique_ptr<Utils::Thread> StartWorkerThread(std::function<void()> work,
                                                 const std::wstring& name);

// "true" or "false", as child command lines spell flags.
const wchar_t* FlagText(bool value);
