#pragma once
// The pictures and help texts are compiled into the screens library; a static library's
// resources must be registered before use. Safe to call any number of times.
namespace cal {
void initResources();
}
