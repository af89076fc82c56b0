#include "measure/MonitorEdid.h"

#include <initguid.h> // defines GUID_DEVCLASS_MONITOR here, not only declares it
#include <devguid.h>
#include <setupapi.h>

#include <cwchar>
#include <string>

namespace {

// Far more than a base block and all its extensions.
constexpr DWORD kMaxEdidBytes = 32768;

// Destroys a SetupAPI device information set at the end of a scope.
class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : m_list(list) {}
    ~DeviceInfoList()
    {
        if (m_list != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(m_list);
    }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    HDEVINFO get() const { return m_list; }

private:
    HDEVINFO m_list;
};

// Closes an opened registry key at the end of a scope.
class OpenedKey {
public:
    explicit OpenedKey(HKEY key) : m_key(key) {}
    ~OpenedKey()
    {
        if (m_key && m_key != INVALID_HANDLE_VALUE) RegCloseKey(m_key);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key;
};

// How SetupAPI can know one monitor that EnumDisplayDevices lists: its device instance id
// ("DISPLAY\GSM5B08\4&2a0b5b0d&0&UID4352", from the interface path) and its driver key
// ("{4d36e96e-...}\0001", the end of the plain device id) for drivers that give no path.
struct MonitorKeys {
    std::wstring instanceId;
    std::wstring driverKey;
};

std::wstring InstanceIdOf(std::wstring path)
{
    // "\\?\DISPLAY#GSM5B08#4&2a0b5b0d&0&UID4352#{e6f07b5f-...}"
    if (path.compare(0, 4, L"\\\\?\\") != 0) return std::wstring();
    path.erase(0, 4);
    const size_t guid = path.rfind(L"#{");
    if (guid != std::wstring::npos) path.erase(guid);
    for (wchar_t& c : path)
        if (c == L'#') c = L'\\';
    return path;
}

std::wstring DriverKeyOf(const std::wstring& deviceId)
{
    // "MONITOR\GSM5B08\{4d36e96e-...}\0001"
    const size_t first = deviceId.find(L'\\');
    const size_t second = first == std::wstring::npos ? first : deviceId.find(L'\\', first + 1);
    return second == std::wstring::npos ? std::wstring() : deviceId.substr(second + 1);
}

std::vector<MonitorKeys> ActiveMonitorsOf(const wchar_t* adapter)
{
    std::vector<MonitorKeys> monitors;
    for (DWORD i = 0;; ++i) {
        DISPLAY_DEVICEW withPath = {}, plain = {};
        withPath.cb = plain.cb = sizeof(DISPLAY_DEVICEW);
        if (!EnumDisplayDevicesW(adapter, i, &plain, 0)) break;
        if (!(plain.StateFlags & DISPLAY_DEVICE_ACTIVE)) continue;
        MonitorKeys keys;
        if (EnumDisplayDevicesW(adapter, i, &withPath, EDD_GET_DEVICE_INTERFACE_NAME))
            keys.instanceId = InstanceIdOf(withPath.DeviceID);
        keys.driverKey = DriverKeyOf(plain.DeviceID);
        monitors.push_back(keys);
    }
    return monitors;
}

std::wstring DeviceText(HDEVINFO list, SP_DEVINFO_DATA& device, bool instanceId)
{
    wchar_t text[512] = {};
    const BOOL ok = instanceId
                        ? SetupDiGetDeviceInstanceIdW(list, &device, text, 512, nullptr)
                        : SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_DRIVER, nullptr,
                                                            reinterpret_cast<BYTE*>(text), sizeof(text) - 2, nullptr);
    return ok ? std::wstring(text) : std::wstring();
}

bool Matches(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && _wcsicmp(a.c_str(), b.c_str()) == 0;
}

std::vector<uint8_t> EdidValueOf(HDEVINFO list, SP_DEVINFO_DATA& device)
{
    OpenedKey key(SetupDiOpenDevRegKey(list, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (!key.get() || key.get() == INVALID_HANDLE_VALUE) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY ||
        size == 0 || size > kMaxEdidBytes)
        return {};
    std::vector<uint8_t> edid(size);
    if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, edid.data(), &size) != ERROR_SUCCESS) return {};
    edid.resize(size);
    return edid;
}

} // namespace

std::vector<uint8_t> ReadMonitorEdid(const wchar_t* adapter)
{
    if (!adapter || !*adapter) return {};
    const std::vector<MonitorKeys> monitors = ActiveMonitorsOf(adapter);
    if (monitors.empty()) return {};
    DeviceInfoList list(SetupDiGetClassDevsW(&GUID_DEVCLASS_MONITOR, nullptr, nullptr, DIGCF_PRESENT));
    if (list.get() == INVALID_HANDLE_VALUE) return {};
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    // The adapter's first active monitor that has one: a mirrored second shows the same picture.
    for (const MonitorKeys& monitor : monitors) {
        for (DWORD i = 0; SetupDiEnumDeviceInfo(list.get(), i, &device); ++i) {
            if (!Matches(monitor.instanceId, DeviceText(list.get(), device, true)) &&
                !Matches(monitor.driverKey, DeviceText(list.get(), device, false)))
                continue;
            std::vector<uint8_t> edid = EdidValueOf(list.get(), device);
            if (!edid.empty()) return edid;
        }
    }
    return {};
}
