/* A password provider for the tests: records the calls that ChangeSaverPassword makes. */

#include <string.h>
#include <windows.h>

static char RecordedKey[64];
static HWND RecordedOwner;
static DWORD RecordedReserved1 = 0xFFFFFFFF;
static DWORD RecordedReserved2 = 0xFFFFFFFF;
static int CallCount;

__declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR key, HWND owner, DWORD reserved1, DWORD reserved2) {
    lstrcpynA(RecordedKey, key != NULL ? key : "(null)", sizeof RecordedKey);
    RecordedOwner = owner;
    RecordedReserved1 = reserved1;
    RecordedReserved2 = reserved2;
    ++CallCount;
    return 0;
}

/* The number of calls so far, and the arguments of the last one. */
__declspec(dllexport) int WINAPI
    FakeMprLastCall(char* key, int keySize, HWND* owner, DWORD* reserved1, DWORD* reserved2) {
    lstrcpynA(key, RecordedKey, keySize);
    *owner = RecordedOwner;
    *reserved1 = RecordedReserved1;
    *reserved2 = RecordedReserved2;
    return CallCount;
}
