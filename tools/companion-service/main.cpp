// SampleQx3Service: the companion service whose life Ombrel ties to its own. It does nothing
// but run: it reports running when started and stopped when asked to stop.
#include <windows.h>

namespace {

wchar_t kServiceName[] = L"SampleQx3Service";

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = nullptr;

void Report(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    ::SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        Report(SERVICE_STOP_PENDING);
        ::SetEvent(g_stopEvent);
        return NO_ERROR;
    }
    return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    g_statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, &Control, nullptr);
    if (g_statusHandle == nullptr) {
        return;
    }
    g_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Report(SERVICE_RUNNING);
    ::WaitForSingleObject(g_stopEvent, INFINITE);
    ::CloseHandle(g_stopEvent);
    Report(SERVICE_STOPPED);
}

}  // namespace

int wmain() {
    const SERVICE_TABLE_ENTRYW table[] = {{kServiceName, &ServiceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherW(table) ? 0 : static_cast<int>(::GetLastError());
}
