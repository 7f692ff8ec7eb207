// The tweak-bar C API: bars of the program's variables and buttons, edited live over the game's frame.
#pragma once

#include <string>

typedef struct CTwBar TwBar;

enum ETwGraphAPI { TW_OPENGL = 1, TW_DIRECT3D9 = 2, TW_OPENGL_CORE = 5 };

// Only BOOLCPP, INT32, UINT32, FLOAT, DOUBLE and STDSTRING are supported; the others are refused.
enum ETwType {
    TW_TYPE_UNDEF = 0,
    TW_TYPE_BOOLCPP = 1,
    TW_TYPE_BOOL8,
    TW_TYPE_BOOL16,
    TW_TYPE_BOOL32,
    TW_TYPE_CHAR,
    TW_TYPE_INT8,
    TW_TYPE_UINT8,
    TW_TYPE_INT16,
    TW_TYPE_UINT16,
    TW_TYPE_INT32,
    TW_TYPE_UINT32,
    TW_TYPE_FLOAT,
    TW_TYPE_DOUBLE,
    TW_TYPE_COLOR32,
    TW_TYPE_COLOR3F,
    TW_TYPE_COLOR4F,
    TW_TYPE_CDSTRING,
    TW_TYPE_STDSTRING = 0x2fff0000 + sizeof(std::string)
};

enum ETwParamValueType { TW_PARAM_INT32, TW_PARAM_FLOAT, TW_PARAM_DOUBLE, TW_PARAM_CSTRING };

// STDSTRING callbacks get a std::string* to fill and a const std::string* to apply.
typedef void (*TwSetVarCallback)(const void* value, void* clientData);
typedef void (*TwGetVarCallback)(void* value, void* clientData);
typedef void (*TwButtonCallback)(void* clientData);

// Every call that fails returns 0 (or null) and leaves its reason for TwGetLastError. Bars, entries and
// their attributes work without TwInit, so editor logic runs headless; only drawing needs a context.
// Callbacks run outside the drawing pass, so they may add, change or delete bars; a get callback must
// not, and such calls made from one are refused.

// device is the SDL_Window* whose OpenGL 3.3 core context is current; only TW_OPENGL_CORE is supported.
int TwInit(ETwGraphAPI graphAPI, void* device);
// Safe without TwInit and twice; every bar is deleted.
int TwTerminate();
// 0, without an error, when not initialised.
int TwDraw();
// 0 x 0 makes the drawing follow the window's own size.
int TwWindowSize(int width, int height);

TwBar* TwNewBar(const char* barName);
int TwDeleteBar(TwBar* bar);
TwBar* TwGetBarByName(const char* barName);

// Statements separated by newlines: a target (BarName or BarName/EntryName, quoted when it holds
// spaces) then name=value attributes. Statements that fail are reported; the others still apply.
int TwDefine(const char* def);

// The def of the Add calls holds attributes only, for the new entry. When some of them fail the entry
// is still added, with the others applied, and the call returns 0.
int TwAddVarCB(TwBar* bar, const char* name, ETwType type, TwSetVarCallback setCallback,
               TwGetVarCallback getCallback, void* clientData, const char* def);
// A null callback shows the label as plain text.
int TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData, const char* def);
// name may be null or empty: such separators can only be given attributes through def.
int TwAddSeparator(TwBar* bar, const char* name, const char* def);

// varName null is the bar itself. CSTRING values are one zero-terminated string (inValues is the
// const char*, outValues a buffer of outValueMaxCount chars that is always terminated).
int TwSetParam(TwBar* bar, const char* varName, const char* paramName, ETwParamValueType paramValueType,
               unsigned int inValueCount, const void* inValues);
// The number of values written (1 for a string), 0 on error.
int TwGetParam(TwBar* bar, const char* varName, const char* paramName, ETwParamValueType paramValueType,
               unsigned int outValueMaxCount, void* outValues);

// The reason the last failing call failed; empty after a call that succeeded.
const char* TwGetLastError();

// Feeds an SDL 2 event to the bars; 1 when they consumed it (the pointer is over a bar, or a bar's
// field has the keyboard).
int TwEventSDL(const void* sdlEvent, unsigned char sdlMajorVersion, unsigned char sdlMinorVersion);

// 1 while a bar's text field is being typed into (its keys, Ctrl+Z included, are the field's).
int TwTextFieldActive();
