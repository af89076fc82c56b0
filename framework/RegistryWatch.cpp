#include "framework/RegistryWatch.h"

RegistryWatch::~RegistryWatch()
{
    Disarm();
}

void RegistryWatch::Disarm()
{
    if (m_key) RegCloseKey(m_key);
    if (m_event) CloseHandle(m_event);
    m_key = nullptr;
    m_event = nullptr;
}

bool RegistryWatch::Arm()
{
    if (!m_event) m_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_event) return false;
    // Before the program has stored anything its key does not exist yet; watching
    // "SOFTWARE" instead asks for more reads than needed, never for fewer.
    if (!m_key && RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_NOTIFY, &m_key) != ERROR_SUCCESS &&
        RegOpenKeyExA(m_root, "SOFTWARE", 0, KEY_NOTIFY, &m_key) != ERROR_SUCCESS) {
        m_key = nullptr;
        return false;
    }
    ResetEvent(m_event);
    const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    if (RegNotifyChangeKeyValue(m_key, TRUE, filter, m_event, TRUE) != ERROR_SUCCESS) {
        Disarm();
        return false;
    }
    return true;
}

bool RegistryWatch::ChangedSinceLastAsked()
{
    // Armed and not signalled: nothing below the key was written or removed.
    if (m_key && m_event && WaitForSingleObject(m_event, 0) == WAIT_TIMEOUT) return false;
    // Signalled, never armed, or the key went away: read again, and watch from now on.
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
    Arm();
    return true;
}
