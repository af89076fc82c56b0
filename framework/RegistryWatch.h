#pragma once

#include <windows.h>

#include <string>

// Tells whether anything below a registry key may have changed since the last
// question, so that settings read from it need not be read again on every
// relayout. Answers "changed" whenever it cannot tell (the key is missing or the
// system refuses the notification).
class RegistryWatch {
public:
    RegistryWatch(HKEY root, std::string path) : m_root(root), m_path(std::move(path)) {}
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    bool ChangedSinceLastAsked();

private:
    bool Arm();
    void Disarm();

    HKEY m_root;
    std::string m_path;
    HKEY m_key = nullptr;
    HANDLE m_event = nullptr;
};
