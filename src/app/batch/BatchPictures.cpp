#include "app/batch/BatchPictures.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace batch {

namespace {

void* handle = nullptr;

// The folder of the running executable, from the link the kernel keeps.
std::string executableFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return std::string();
    const std::string exe(path, static_cast<std::size_t>(length));
    return exe.substr(0, exe.rfind('/'));
}

} // namespace

bool PicturesModule::load(QString& error)
{
    if (handle)
        return true;
    const std::string folder = executableFolder();
    QString reasons;
    for (const std::string& candidate :
         {folder + "/" + kPicturesModuleName, folder + "/../lib/quilvane/" + kPicturesModuleName}) {
        handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle && application() && weightSpace())
            return true;
        reasons += QStringLiteral("; ") + QString::fromLocal8Bit(dlerror());
        if (handle)
            dlclose(handle);
        handle = nullptr;
    }
    error = QStringLiteral("the picture module %1 cannot be loaded%2").arg(QLatin1String(kPicturesModuleName), reasons);
    return false;
}

PicturesApplicationEntry PicturesModule::application()
{
    return reinterpret_cast<PicturesApplicationEntry>(dlsym(handle, "quilvane_pictures_application"));
}

WeightSpacePicturesEntry PicturesModule::weightSpace()
{
    return reinterpret_cast<WeightSpacePicturesEntry>(dlsym(handle, "quilvane_weight_space_pictures"));
}

} // namespace batch
