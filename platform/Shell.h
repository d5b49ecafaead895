#pragma once
// Opening documents and URLs with the desktop's handler.
#include <functional>
#include <string>

// Starts `xdg-open url` (fork and exec, no shell, the text passed as one argument) and returns
// without waiting for it. False when the program could not be started.
bool OpenUrl(const std::string& url);

// The one verb the program uses: "open" (also an empty verb) on a file or URL, as OpenUrl.
// Other verbs return false and start nothing.
bool ShellExecute(const std::string& verb, const std::string& file);

// Replaces what OpenUrl does, for tests and the headless display: the handler receives the
// URL and returns the result. An empty handler restores the default.
void SetOpenUrlHandler(std::function<bool(const std::string& url)> handler);
// The program started by the default handler ("xdg-open").
void SetOpenUrlProgram(const std::string& program);
