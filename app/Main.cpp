#include <windows.h>

#include "app/Vosk1App.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CVosk1App app(instance);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.Run();
}
