// The Windows-shaped input devices: IDirectInput and its keyboard, mouse and
// joystick devices, for games that read input beside (or instead of) their
// window's messages.
//
// DirectInputCreateA and DirectInputCreateEx make the input object for the
// interface versions 0x0300 to 0x0700 that games set DIRECTINPUT_VERSION to
// (0x0700 when a game sets none); the structures that grew with a version
// are accepted at either size.  Its devices:
//   GUID_SysKeyboard  256 keys, one byte each (0x80 down), by DIK_* code;
//                     the keys come from the same input as the window's key
//                     messages, so they are seen whether or not the game
//                     reads its queue in between.
//   GUID_SysMouse     three relative axes (x, y, wheel) and three buttons;
//                     an exclusive foreground mouse holds the pointer inside
//                     the window (SDL's relative mode) and hides it.
//   the game port's sticks, enumerated as joysticks while plugged in: two
//                     absolute axes (0 .. 65535 unless DIPROP_RANGE says
//                     otherwise) and two buttons, read on Poll or
//                     GetDeviceState.
// Any DIDATAFORMAT is honoured: c_dfDIKeyboard, c_dfDIMouse(2),
// c_dfDIJoystick(2) and a game's own.  Buffered data (DIPROP_BUFFERSIZE)
// keeps every change of a formatted object in order, with DI_BUFFEROVERFLOW
// when the buffer filled.  A foreground device loses its acquisition when its
// window loses focus (DIERR_INPUTLOST, then DIERR_NOTACQUIRED).
//
// Not provided: force feedback (effects give DIERR_UNSUPPORTED and their
// structures are not declared), the wide-character interfaces, action
// mapping (DirectInput 8) and the control panel (RunControlPanel does
// nothing).
#ifndef VANTREL_WIN32_DINPUT_H
#define VANTREL_WIN32_DINPUT_H

#include <vantrel/win32/objbase.h>
#include <vantrel/win32/types.h>

#include <cstddef>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0700
#endif

// Results.
#ifndef E_ACCESSDENIED
#define E_ACCESSDENIED ((HRESULT)0x80070005L)
#endif
#ifndef E_HANDLE
#define E_HANDLE ((HRESULT)0x80070006L)
#endif
#define DI_OK S_OK
#define DI_NOTATTACHED S_FALSE
#define DI_BUFFEROVERFLOW S_FALSE
#define DI_PROPNOEFFECT S_FALSE
#define DI_NOEFFECT S_FALSE
#define DI_POLLEDDEVICE ((HRESULT)0x00000002L)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047EL)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481L)
#define DIERR_BADDRIVERVER ((HRESULT)0x80070077L)
#define DIERR_DEVICENOTREG REGDB_E_CLASSNOTREG
#define DIERR_NOTFOUND ((HRESULT)0x80070002L)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002L)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_GENERIC E_FAIL
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_UNSUPPORTED E_NOTIMPL
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015L)
#define DIERR_ALREADYINITIALIZED ((HRESULT)0x800704DFL)
#define DIERR_NOAGGREGATION CLASS_E_NOAGGREGATION
#define DIERR_OTHERAPPHASPRIO E_ACCESSDENIED
#define DIERR_INPUTLOST ((HRESULT)0x8007001EL)
#define DIERR_ACQUIRED ((HRESULT)0x800700AAL)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000CL)
#define DIERR_READONLY E_ACCESSDENIED
#define DIERR_HANDLEEXISTS E_ACCESSDENIED
#define DIERR_INSUFFICIENTPRIVS ((HRESULT)0x80040200L)
#define DIERR_DEVICEFULL ((HRESULT)0x80040201L)
#define DIERR_MOREDATA ((HRESULT)0x80040202L)
#define DIERR_NOTDOWNLOADED ((HRESULT)0x80040203L)
#define DIERR_HASEFFECTS ((HRESULT)0x80040204L)
#define DIERR_NOTEXCLUSIVEACQUIRED ((HRESULT)0x80040205L)
#define DIERR_INCOMPLETEEFFECT ((HRESULT)0x80040206L)
#define DIERR_NOTBUFFERED ((HRESULT)0x80040207L)
#define DIERR_EFFECTPLAYING ((HRESULT)0x80040208L)
#define DIERR_UNPLUGGED ((HRESULT)0x80040209L)

#define DIENUM_STOP 0
#define DIENUM_CONTINUE 1

// EnumDevices.
#define DIEDFL_ALLDEVICES 0x00000000
#define DIEDFL_ATTACHEDONLY 0x00000001
#define DIEDFL_FORCEFEEDBACK 0x00000100
#define DIEDFL_INCLUDEALIASES 0x00010000
#define DIEDFL_INCLUDEPHANTOMS 0x00020000

// Device types (low byte) and subtypes (second byte) of dwDevType.
#define DIDEVTYPE_DEVICE 1
#define DIDEVTYPE_MOUSE 2
#define DIDEVTYPE_KEYBOARD 3
#define DIDEVTYPE_JOYSTICK 4
#define DIDEVTYPE_HID 0x00010000
#define DIDEVTYPEMOUSE_UNKNOWN 1
#define DIDEVTYPEMOUSE_TRADITIONAL 2
#define DIDEVTYPEKEYBOARD_UNKNOWN 0
#define DIDEVTYPEKEYBOARD_PCENH 4
#define DIDEVTYPEJOYSTICK_UNKNOWN 1
#define DIDEVTYPEJOYSTICK_TRADITIONAL 2
#define DIDEVTYPEJOYSTICK_GAMEPAD 4
#define GET_DIDEVICE_TYPE(dwDevType) LOBYTE(dwDevType)
#define GET_DIDEVICE_SUBTYPE(dwDevType) HIBYTE(dwDevType)

// Object types of a data format and of EnumObjects.
#define DIDFT_ALL 0x00000000
#define DIDFT_RELAXIS 0x00000001
#define DIDFT_ABSAXIS 0x00000002
#define DIDFT_AXIS 0x00000003
#define DIDFT_PSHBUTTON 0x00000004
#define DIDFT_TGLBUTTON 0x00000008
#define DIDFT_BUTTON 0x0000000C
#define DIDFT_POV 0x00000010
#define DIDFT_COLLECTION 0x00000040
#define DIDFT_NODATA 0x00000080
#define DIDFT_ANYINSTANCE 0x00FFFF00
#define DIDFT_INSTANCEMASK DIDFT_ANYINSTANCE
#define DIDFT_MAKEINSTANCE(n) ((WORD)(n) << 8)
#define DIDFT_GETTYPE(n) LOBYTE(n)
#define DIDFT_GETINSTANCE(n) LOWORD((n) >> 8)
#define DIDFT_FFACTUATOR 0x01000000
#define DIDFT_FFEFFECTTRIGGER 0x02000000
#define DIDFT_NOCOLLECTION 0x00FFFF00
#define DIDFT_OPTIONAL 0x80000000

#define DIDF_ABSAXIS 0x00000001
#define DIDF_RELAXIS 0x00000002

#define DIGDD_PEEK 0x00000001
#define DISEQUENCE_COMPARE(dwSq1, cmp, dwSq2) ((int)((dwSq1) - (dwSq2))cmp 0)

// SetCooperativeLevel.
#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008
#define DISCL_NOWINKEY 0x00000010

// GetCapabilities.
#define DIDC_ATTACHED 0x00000001
#define DIDC_POLLEDDEVICE 0x00000002
#define DIDC_EMULATED 0x00000004
#define DIDC_POLLEDDATAFORMAT 0x00000008
#define DIDC_FORCEFEEDBACK 0x00000100

#define DIDOI_FFACTUATOR 0x00000001
#define DIDOI_FFEFFECTTRIGGER 0x00000002
#define DIDOI_POLLED 0x00008000
#define DIDOI_ASPECTPOSITION 0x00000100
#define DIDOI_ASPECTVELOCITY 0x00000200
#define DIDOI_ASPECTACCEL 0x00000300
#define DIDOI_ASPECTFORCE 0x00000400
#define DIDOI_ASPECTMASK 0x00000F00

// Properties: how a property header names its object, and the properties.
// Windows makes a property's GUID reference from its number cast to an
// address; here each number has a GUID object of its own, which names the
// property by its address just the same without a reference to no object.
#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1
#define DIPH_BYID 2
VANTREL_API extern const GUID vantrelInputProperties[32];
#define MAKEDIPROP(prop) (vantrelInputProperties[prop])
#define DIPROP_BUFFERSIZE MAKEDIPROP(1)
#define DIPROP_AXISMODE MAKEDIPROP(2)
#define DIPROPAXISMODE_ABS 0
#define DIPROPAXISMODE_REL 1
#define DIPROP_GRANULARITY MAKEDIPROP(3)
#define DIPROP_RANGE MAKEDIPROP(4)
#define DIPROP_DEADZONE MAKEDIPROP(5)
#define DIPROP_SATURATION MAKEDIPROP(6)
#define DIPROP_FFGAIN MAKEDIPROP(7)
#define DIPROP_FFLOAD MAKEDIPROP(8)
#define DIPROP_AUTOCENTER MAKEDIPROP(9)
#define DIPROPAUTOCENTER_OFF 0
#define DIPROPAUTOCENTER_ON 1
#define DIPROP_CALIBRATIONMODE MAKEDIPROP(10)
#define DIPROPCALIBRATIONMODE_COOKED 0
#define DIPROPCALIBRATIONMODE_RAW 1
#define DIPROPRANGE_NOMIN ((LONG)0x80000000)
#define DIPROPRANGE_NOMAX ((LONG)0x7FFFFFFF)

// Keyboard scan codes: the byte of c_dfDIKeyboard's state for each key, and
// dwOfs of its buffered data.
#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_2 0x03
#define DIK_3 0x04
#define DIK_4 0x05
#define DIK_5 0x06
#define DIK_6 0x07
#define DIK_7 0x08
#define DIK_8 0x09
#define DIK_9 0x0A
#define DIK_0 0x0B
#define DIK_MINUS 0x0C
#define DIK_EQUALS 0x0D
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_W 0x11
#define DIK_E 0x12
#define DIK_R 0x13
#define DIK_T 0x14
#define DIK_Y 0x15
#define DIK_U 0x16
#define DIK_I 0x17
#define DIK_O 0x18
#define DIK_P 0x19
#define DIK_LBRACKET 0x1A
#define DIK_RBRACKET 0x1B
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_S 0x1F
#define DIK_D 0x20
#define DIK_F 0x21
#define DIK_G 0x22
#define DIK_H 0x23
#define DIK_J 0x24
#define DIK_K 0x25
#define DIK_L 0x26
#define DIK_SEMICOLON 0x27
#define DIK_APOSTROPHE 0x28
#define DIK_GRAVE 0x29
#define DIK_LSHIFT 0x2A
#define DIK_BACKSLASH 0x2B
#define DIK_Z 0x2C
#define DIK_X 0x2D
#define DIK_C 0x2E
#define DIK_V 0x2F
#define DIK_B 0x30
#define DIK_N 0x31
#define DIK_M 0x32
#define DIK_COMMA 0x33
#define DIK_PERIOD 0x34
#define DIK_SLASH 0x35
#define DIK_RSHIFT 0x36
#define DIK_MULTIPLY 0x37
#define DIK_LMENU 0x38
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_F2 0x3C
#define DIK_F3 0x3D
#define DIK_F4 0x3E
#define DIK_F5 0x3F
#define DIK_F6 0x40
#define DIK_F7 0x41
#define DIK_F8 0x42
#define DIK_F9 0x43
#define DIK_F10 0x44
#define DIK_NUMLOCK 0x45
#define DIK_SCROLL 0x46
#define DIK_NUMPAD7 0x47
#define DIK_NUMPAD8 0x48
#define DIK_NUMPAD9 0x49
#define DIK_SUBTRACT 0x4A
#define DIK_NUMPAD4 0x4B
#define DIK_NUMPAD5 0x4C
#define DIK_NUMPAD6 0x4D
#define DIK_ADD 0x4E
#define DIK_NUMPAD1 0x4F
#define DIK_NUMPAD2 0x50
#define DIK_NUMPAD3 0x51
#define DIK_NUMPAD0 0x52
#define DIK_DECIMAL 0x53
#define DIK_OEM_102 0x56
#define DIK_F11 0x57
#define DIK_F12 0x58
#define DIK_F13 0x64
#define DIK_F14 0x65
#define DIK_F15 0x66
#define DIK_KANA 0x70
#define DIK_ABNT_C1 0x73
#define DIK_CONVERT 0x79
#define DIK_NOCONVERT 0x7B
#define DIK_YEN 0x7D
#define DIK_ABNT_C2 0x7E
#define DIK_NUMPADEQUALS 0x8D
#define DIK_CIRCUMFLEX 0x90
#define DIK_AT 0x91
#define DIK_COLON 0x92
#define DIK_UNDERLINE 0x93
#define DIK_KANJI 0x94
#define DIK_STOP 0x95
#define DIK_AX 0x96
#define DIK_UNLABELED 0x97
#define DIK_NEXTTRACK 0x99
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_MUTE 0xA0
#define DIK_CALCULATOR 0xA1
#define DIK_PLAYPAUSE 0xA2
#define DIK_MEDIASTOP 0xA4
#define DIK_VOLUMEDOWN 0xAE
#define DIK_VOLUMEUP 0xB0
#define DIK_WEBHOME 0xB2
#define DIK_NUMPADCOMMA 0xB3
#define DIK_DIVIDE 0xB5
#define DIK_SYSRQ 0xB7
#define DIK_RMENU 0xB8
#define DIK_PAUSE 0xC5
#define DIK_HOME 0xC7
#define DIK_UP 0xC8
#define DIK_PRIOR 0xC9
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_END 0xCF
#define DIK_DOWN 0xD0
#define DIK_NEXT 0xD1
#define DIK_INSERT 0xD2
#define DIK_DELETE 0xD3
#define DIK_LWIN 0xDB
#define DIK_RWIN 0xDC
#define DIK_APPS 0xDD
#define DIK_POWER 0xDE
#define DIK_SLEEP 0xDF
#define DIK_WAKE 0xE3
#define DIK_WEBSEARCH 0xE5
#define DIK_WEBFAVORITES 0xE6
#define DIK_WEBREFRESH 0xE7
#define DIK_WEBSTOP 0xE8
#define DIK_WEBFORWARD 0xE9
#define DIK_WEBBACK 0xEA
#define DIK_MYCOMPUTER 0xEB
#define DIK_MAIL 0xEC
#define DIK_MEDIASELECT 0xED
#define DIK_BACKSPACE DIK_BACK
#define DIK_NUMPADSTAR DIK_MULTIPLY
#define DIK_LALT DIK_LMENU
#define DIK_CAPSLOCK DIK_CAPITAL
#define DIK_NUMPADMINUS DIK_SUBTRACT
#define DIK_NUMPADPLUS DIK_ADD
#define DIK_NUMPADPERIOD DIK_DECIMAL
#define DIK_NUMPADSLASH DIK_DIVIDE
#define DIK_RALT DIK_RMENU
#define DIK_UPARROW DIK_UP
#define DIK_PGUP DIK_PRIOR
#define DIK_LEFTARROW DIK_LEFT
#define DIK_RIGHTARROW DIK_RIGHT
#define DIK_DOWNARROW DIK_DOWN
#define DIK_PGDN DIK_NEXT

typedef struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;       // the object's offset in the data format
    DWORD dwData;      // its new value (a relative axis: the motion)
    DWORD dwTimeStamp; // GetTickCount's clock
    DWORD dwSequence;  // one increasing count for all devices
} DIDEVICEOBJECTDATA, *LPDIDEVICEOBJECTDATA;
typedef const DIDEVICEOBJECTDATA* LPCDIDEVICEOBJECTDATA;
typedef DIDEVICEOBJECTDATA DIDEVICEOBJECTDATA_DX3;

typedef struct _DIOBJECTDATAFORMAT {
    const GUID* pguid; // the object's type (GUID_XAxis, ...), null for any
    DWORD dwOfs;
    DWORD dwType; // DIDFT_* type bits and instance
    DWORD dwFlags;
} DIOBJECTDATAFORMAT, *LPDIOBJECTDATAFORMAT;
typedef const DIOBJECTDATAFORMAT* LPCDIOBJECTDATAFORMAT;

typedef struct _DIDATAFORMAT {
    DWORD dwSize;    // sizeof(DIDATAFORMAT)
    DWORD dwObjSize; // sizeof(DIOBJECTDATAFORMAT)
    DWORD dwFlags;   // DIDF_ABSAXIS or DIDF_RELAXIS
    DWORD dwDataSize; // the size of GetDeviceState's buffer, a multiple of 4
    DWORD dwNumObjs;
    LPDIOBJECTDATAFORMAT rgodf;
} DIDATAFORMAT, *LPDIDATAFORMAT;
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;

typedef struct DIDEVICEOBJECTINSTANCE_DX3A {
    DWORD dwSize;
    GUID guidType;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
    CHAR tszName[MAX_PATH];
} DIDEVICEOBJECTINSTANCE_DX3A, *LPDIDEVICEOBJECTINSTANCE_DX3A;

typedef struct DIDEVICEOBJECTINSTANCEA {
    DWORD dwSize;
    GUID guidType;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
    CHAR tszName[MAX_PATH];
#if DIRECTINPUT_VERSION >= 0x0500
    DWORD dwFFMaxForce;
    DWORD dwFFForceResolution;
    WORD wCollectionNumber;
    WORD wDesignatorIndex;
    WORD wUsagePage;
    WORD wUsage;
    DWORD dwDimension;
    WORD wExponent;
    WORD wReportId;
#endif
} DIDEVICEOBJECTINSTANCEA, *LPDIDEVICEOBJECTINSTANCEA;
typedef const DIDEVICEOBJECTINSTANCEA* LPCDIDEVICEOBJECTINSTANCEA;
typedef DIDEVICEOBJECTINSTANCEA DIDEVICEOBJECTINSTANCE;
typedef LPDIDEVICEOBJECTINSTANCEA LPDIDEVICEOBJECTINSTANCE;
typedef LPCDIDEVICEOBJECTINSTANCEA LPCDIDEVICEOBJECTINSTANCE;

typedef struct DIDEVICEINSTANCE_DX3A {
    DWORD dwSize;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    CHAR tszInstanceName[MAX_PATH];
    CHAR tszProductName[MAX_PATH];
} DIDEVICEINSTANCE_DX3A, *LPDIDEVICEINSTANCE_DX3A;

typedef struct DIDEVICEINSTANCEA {
    DWORD dwSize;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    CHAR tszInstanceName[MAX_PATH];
    CHAR tszProductName[MAX_PATH];
#if DIRECTINPUT_VERSION >= 0x0500
    GUID guidFFDriver;
    WORD wUsagePage;
    WORD wUsage;
#endif
} DIDEVICEINSTANCEA, *LPDIDEVICEINSTANCEA;
typedef const DIDEVICEINSTANCEA* LPCDIDEVICEINSTANCEA;
typedef DIDEVICEINSTANCEA DIDEVICEINSTANCE;
typedef LPDIDEVICEINSTANCEA LPDIDEVICEINSTANCE;
typedef LPCDIDEVICEINSTANCEA LPCDIDEVICEINSTANCE;

typedef struct DIDEVCAPS_DX3 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwDevType;
    DWORD dwAxes;
    DWORD dwButtons;
    DWORD dwPOVs;
} DIDEVCAPS_DX3, *LPDIDEVCAPS_DX3;

typedef struct DIDEVCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwDevType;
    DWORD dwAxes;
    DWORD dwButtons;
    DWORD dwPOVs;
#if DIRECTINPUT_VERSION >= 0x0500
    DWORD dwFFSamplePeriod;
    DWORD dwFFMinTimeResolution;
    DWORD dwFirmwareRevision;
    DWORD dwHardwareRevision;
    DWORD dwFFDriverVersion;
#endif
} DIDEVCAPS, *LPDIDEVCAPS;

typedef struct DIPROPHEADER {
    DWORD dwSize;       // the whole property structure
    DWORD dwHeaderSize; // sizeof(DIPROPHEADER)
    DWORD dwObj;        // 0, an offset in the data format or an object id
    DWORD dwHow;        // DIPH_*
} DIPROPHEADER, *LPDIPROPHEADER;
typedef const DIPROPHEADER* LPCDIPROPHEADER;

typedef struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
} DIPROPDWORD, *LPDIPROPDWORD;
typedef const DIPROPDWORD* LPCDIPROPDWORD;

typedef struct DIPROPRANGE {
    DIPROPHEADER diph;
    LONG lMin;
    LONG lMax;
} DIPROPRANGE, *LPDIPROPRANGE;
typedef const DIPROPRANGE* LPCDIPROPRANGE;

typedef struct DIMOUSESTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[4];
} DIMOUSESTATE, *LPDIMOUSESTATE;

typedef struct DIMOUSESTATE2 {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[8];
} DIMOUSESTATE2, *LPDIMOUSESTATE2;

#define DIMOFS_X ((LONG)offsetof(DIMOUSESTATE, lX))
#define DIMOFS_Y ((LONG)offsetof(DIMOUSESTATE, lY))
#define DIMOFS_Z ((LONG)offsetof(DIMOUSESTATE, lZ))
#define DIMOFS_BUTTON0 (((LONG)offsetof(DIMOUSESTATE, rgbButtons)) + 0)
#define DIMOFS_BUTTON1 (((LONG)offsetof(DIMOUSESTATE, rgbButtons)) + 1)
#define DIMOFS_BUTTON2 (((LONG)offsetof(DIMOUSESTATE, rgbButtons)) + 2)
#define DIMOFS_BUTTON3 (((LONG)offsetof(DIMOUSESTATE, rgbButtons)) + 3)
#define DIMOFS_BUTTON4 (((LONG)offsetof(DIMOUSESTATE2, rgbButtons)) + 4)
#define DIMOFS_BUTTON5 (((LONG)offsetof(DIMOUSESTATE2, rgbButtons)) + 5)
#define DIMOFS_BUTTON6 (((LONG)offsetof(DIMOUSESTATE2, rgbButtons)) + 6)
#define DIMOFS_BUTTON7 (((LONG)offsetof(DIMOUSESTATE2, rgbButtons)) + 7)

typedef struct DIJOYSTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    LONG lRx;
    LONG lRy;
    LONG lRz;
    LONG rglSlider[2];
    DWORD rgdwPOV[4]; // hundredths of a degree clockwise from north; -1 centred
    BYTE rgbButtons[32];
} DIJOYSTATE, *LPDIJOYSTATE;

typedef struct DIJOYSTATE2 {
    LONG lX;
    LONG lY;
    LONG lZ;
    LONG lRx;
    LONG lRy;
    LONG lRz;
    LONG rglSlider[2];
    DWORD rgdwPOV[4];
    BYTE rgbButtons[128];
    LONG lVX;
    LONG lVY;
    LONG lVZ;
    LONG lVRx;
    LONG lVRy;
    LONG lVRz;
    LONG rglVSlider[2];
    LONG lAX;
    LONG lAY;
    LONG lAZ;
    LONG lARx;
    LONG lARy;
    LONG lARz;
    LONG rglASlider[2];
    LONG lFX;
    LONG lFY;
    LONG lFZ;
    LONG lFRx;
    LONG lFRy;
    LONG lFRz;
    LONG rglFSlider[2];
} DIJOYSTATE2, *LPDIJOYSTATE2;

#define DIJOFS_X ((LONG)offsetof(DIJOYSTATE, lX))
#define DIJOFS_Y ((LONG)offsetof(DIJOYSTATE, lY))
#define DIJOFS_Z ((LONG)offsetof(DIJOYSTATE, lZ))
#define DIJOFS_RX ((LONG)offsetof(DIJOYSTATE, lRx))
#define DIJOFS_RY ((LONG)offsetof(DIJOYSTATE, lRy))
#define DIJOFS_RZ ((LONG)offsetof(DIJOYSTATE, lRz))
#define DIJOFS_SLIDER(n) (((LONG)offsetof(DIJOYSTATE, rglSlider)) + (n) * 4)
#define DIJOFS_POV(n) (((LONG)offsetof(DIJOYSTATE, rgdwPOV)) + (n) * 4)
#define DIJOFS_BUTTON(n) (((LONG)offsetof(DIJOYSTATE, rgbButtons)) + (n))
#define DIJOFS_BUTTON0 DIJOFS_BUTTON(0)
#define DIJOFS_BUTTON1 DIJOFS_BUTTON(1)
#define DIJOFS_BUTTON2 DIJOFS_BUTTON(2)
#define DIJOFS_BUTTON3 DIJOFS_BUTTON(3)

typedef BOOL(CALLBACK* LPDIENUMDEVICESCALLBACKA)(LPCDIDEVICEINSTANCEA, LPVOID);
typedef BOOL(CALLBACK* LPDIENUMDEVICEOBJECTSCALLBACKA)(LPCDIDEVICEOBJECTINSTANCEA, LPVOID);
#define LPDIENUMDEVICESCALLBACK LPDIENUMDEVICESCALLBACKA
#define LPDIENUMDEVICEOBJECTSCALLBACK LPDIENUMDEVICEOBJECTSCALLBACKA

// Force feedback is not provided: its types are named for the methods'
// signatures only.
struct IDirectInputEffect;
typedef IDirectInputEffect* LPDIRECTINPUTEFFECT;
struct DIEFFECT;
typedef const DIEFFECT* LPCDIEFFECT;
struct DIEFFECTINFOA;
typedef DIEFFECTINFOA* LPDIEFFECTINFOA;
struct DIEFFESCAPE;
typedef DIEFFESCAPE* LPDIEFFESCAPE;
struct DIFILEEFFECT;
typedef DIFILEEFFECT* LPDIFILEEFFECT;
typedef const DIEFFECTINFOA* LPCDIEFFECTINFOA;
typedef const DIFILEEFFECT* LPCDIFILEEFFECT;
typedef BOOL(CALLBACK* LPDIENUMEFFECTSCALLBACKA)(LPCDIEFFECTINFOA, LPVOID);
typedef BOOL(CALLBACK* LPDIENUMCREATEDEFFECTOBJECTSCALLBACK)(LPDIRECTINPUTEFFECT, LPVOID);
typedef BOOL(CALLBACK* LPDIENUMEFFECTSINFILECALLBACK)(LPCDIFILEEFFECT, LPVOID);

struct VANTREL_API IDirectInputDeviceA : IUnknown {
    virtual HRESULT WINAPI GetCapabilities(LPDIDEVCAPS caps) = 0;
    // Flags: DIDFT_* types to enumerate (DIDFT_ALL for every object).
    virtual HRESULT WINAPI EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context, DWORD flags) = 0;
    virtual HRESULT WINAPI GetProperty(REFGUID property, LPDIPROPHEADER header) = 0;
    virtual HRESULT WINAPI SetProperty(REFGUID property, LPCDIPROPHEADER header) = 0;
    virtual HRESULT WINAPI Acquire() = 0;
    virtual HRESULT WINAPI Unacquire() = 0;
    // `size` must be the data format's dwDataSize.
    virtual HRESULT WINAPI GetDeviceState(DWORD size, LPVOID state) = 0;
    // Takes up to *count buffered changes (all of them into a null `data`
    // with *count INFINITE: a flush); DIGDD_PEEK leaves them buffered.
    virtual HRESULT WINAPI GetDeviceData(DWORD objectSize, LPDIDEVICEOBJECTDATA data, LPDWORD count,
                                         DWORD flags) = 0;
    virtual HRESULT WINAPI SetDataFormat(LPCDIDATAFORMAT format) = 0;
    // The event is set whenever the device's state changes while acquired.
    virtual HRESULT WINAPI SetEventNotification(HANDLE event) = 0;
    virtual HRESULT WINAPI SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT WINAPI GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA object, DWORD which, DWORD how) = 0;
    virtual HRESULT WINAPI GetDeviceInfo(LPDIDEVICEINSTANCEA instance) = 0;
    virtual HRESULT WINAPI RunControlPanel(HWND owner, DWORD flags) = 0;
    virtual HRESULT WINAPI Initialize(HINSTANCE instance, DWORD version, REFGUID device) = 0;

protected:
    ~IDirectInputDeviceA() = default;
};

struct VANTREL_API IDirectInputDevice2A : IDirectInputDeviceA {
    virtual HRESULT WINAPI CreateEffect(REFGUID effect, LPCDIEFFECT parameters, LPDIRECTINPUTEFFECT* made,
                                        LPUNKNOWN outer) = 0;
    virtual HRESULT WINAPI EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID context, DWORD type) = 0;
    virtual HRESULT WINAPI GetEffectInfo(LPDIEFFECTINFOA info, REFGUID effect) = 0;
    virtual HRESULT WINAPI GetForceFeedbackState(LPDWORD state) = 0;
    virtual HRESULT WINAPI SendForceFeedbackCommand(DWORD command) = 0;
    virtual HRESULT WINAPI EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback, LPVOID context,
                                                    DWORD flags) = 0;
    virtual HRESULT WINAPI Escape(LPDIEFFESCAPE escape) = 0;
    // Reads a polled device (the game port's sticks); DI_NOEFFECT for the
    // keyboard and mouse, whose input arrives by itself.
    virtual HRESULT WINAPI Poll() = 0;
    virtual HRESULT WINAPI SendDeviceData(DWORD objectSize, LPCDIDEVICEOBJECTDATA data, LPDWORD count,
                                          DWORD flags) = 0;

protected:
    ~IDirectInputDevice2A() = default;
};

struct VANTREL_API IDirectInputDevice7A : IDirectInputDevice2A {
    virtual HRESULT WINAPI EnumEffectsInFile(LPCSTR file, LPDIENUMEFFECTSINFILECALLBACK callback, LPVOID context,
                                             DWORD flags) = 0;
    virtual HRESULT WINAPI WriteEffectToFile(LPCSTR file, DWORD count, LPDIFILEEFFECT effects, DWORD flags) = 0;

protected:
    ~IDirectInputDevice7A() = default;
};

struct VANTREL_API IDirectInputA : IUnknown {
    virtual HRESULT WINAPI CreateDevice(REFGUID device, IDirectInputDeviceA** made, LPUNKNOWN outer) = 0;
    // Type: 0 for all, else DIDEVTYPE_*.
    virtual HRESULT WINAPI EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID context,
                                       DWORD flags) = 0;
    // DI_OK for an attached device, DI_NOTATTACHED for a stick unplugged.
    virtual HRESULT WINAPI GetDeviceStatus(REFGUID device) = 0;
    virtual HRESULT WINAPI RunControlPanel(HWND owner, DWORD flags) = 0;
    virtual HRESULT WINAPI Initialize(HINSTANCE instance, DWORD version) = 0;

protected:
    ~IDirectInputA() = default;
};

struct VANTREL_API IDirectInput2A : IDirectInputA {
    virtual HRESULT WINAPI FindDevice(REFGUID deviceClass, LPCSTR name, LPGUID instance) = 0;

protected:
    ~IDirectInput2A() = default;
};

struct VANTREL_API IDirectInput7A : IDirectInput2A {
    // CreateDevice returning any of the device interfaces.
    virtual HRESULT WINAPI CreateDeviceEx(REFGUID device, REFIID iid, LPVOID* made, LPUNKNOWN outer) = 0;

protected:
    ~IDirectInput7A() = default;
};

typedef IDirectInputA* LPDIRECTINPUTA;
typedef IDirectInput2A* LPDIRECTINPUT2A;
typedef IDirectInput7A* LPDIRECTINPUT7A;
typedef IDirectInputDeviceA* LPDIRECTINPUTDEVICEA;
typedef IDirectInputDevice2A* LPDIRECTINPUTDEVICE2A;
typedef IDirectInputDevice7A* LPDIRECTINPUTDEVICE7A;
#define IDirectInput IDirectInputA
#define IDirectInput2 IDirectInput2A
#define IDirectInput7 IDirectInput7A
#define IDirectInputDevice IDirectInputDeviceA
#define IDirectInputDevice2 IDirectInputDevice2A
#define IDirectInputDevice7 IDirectInputDevice7A
#define LPDIRECTINPUT LPDIRECTINPUTA
#define LPDIRECTINPUT2 LPDIRECTINPUT2A
#define LPDIRECTINPUT7 LPDIRECTINPUT7A
#define LPDIRECTINPUTDEVICE LPDIRECTINPUTDEVICEA
#define LPDIRECTINPUTDEVICE2 LPDIRECTINPUTDEVICE2A
#define LPDIRECTINPUTDEVICE7 LPDIRECTINPUTDEVICE7A
#define IID_IDirectInput IID_IDirectInputA
#define IID_IDirectInput2 IID_IDirectInput2A
#define IID_IDirectInput7 IID_IDirectInput7A
#define IID_IDirectInputDevice IID_IDirectInputDeviceA
#define IID_IDirectInputDevice2 IID_IDirectInputDevice2A
#define IID_IDirectInputDevice7 IID_IDirectInputDevice7A

VANTREL_API extern const CLSID CLSID_DirectInput;
VANTREL_API extern const CLSID CLSID_DirectInputDevice;
VANTREL_API extern const IID IID_IDirectInputA;
VANTREL_API extern const IID IID_IDirectInput2A;
VANTREL_API extern const IID IID_IDirectInput7A;
VANTREL_API extern const IID IID_IDirectInputDeviceA;
VANTREL_API extern const IID IID_IDirectInputDevice2A;
VANTREL_API extern const IID IID_IDirectInputDevice7A;

// Device and object types.
VANTREL_API extern const GUID GUID_SysKeyboard;
VANTREL_API extern const GUID GUID_SysMouse;
VANTREL_API extern const GUID GUID_Joystick;
VANTREL_API extern const GUID GUID_XAxis;
VANTREL_API extern const GUID GUID_YAxis;
VANTREL_API extern const GUID GUID_ZAxis;
VANTREL_API extern const GUID GUID_RxAxis;
VANTREL_API extern const GUID GUID_RyAxis;
VANTREL_API extern const GUID GUID_RzAxis;
VANTREL_API extern const GUID GUID_Slider;
VANTREL_API extern const GUID GUID_Button;
VANTREL_API extern const GUID GUID_Key;
VANTREL_API extern const GUID GUID_POV;
VANTREL_API extern const GUID GUID_Unknown;

// The standard data formats: DIMOUSESTATE, DIMOUSESTATE2, 256 key bytes,
// DIJOYSTATE and DIJOYSTATE2.
VANTREL_API extern const DIDATAFORMAT c_dfDIMouse;
VANTREL_API extern const DIDATAFORMAT c_dfDIMouse2;
VANTREL_API extern const DIDATAFORMAT c_dfDIKeyboard;
VANTREL_API extern const DIDATAFORMAT c_dfDIJoystick;
VANTREL_API extern const DIDATAFORMAT c_dfDIJoystick2;

// `instance` must be the program's (GetModuleHandle(NULL) or WinMain's);
// `version` one of the interface's published versions up to 0x0700.
VANTREL_API HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* made,
                                              LPUNKNOWN outer);
VANTREL_API HRESULT WINAPI DirectInputCreateEx(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* made,
                                               LPUNKNOWN outer);
#define DirectInputCreate DirectInputCreateA

#endif
