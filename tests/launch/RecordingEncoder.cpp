// A stand-in "lame.bin" that records how it was started in files beside itself:
//   info.<pid>  its parent, session, standard input and output, other inherited descriptors
//   argv.<pid>  its arguments, each ending in a NUL byte (written last: the sign it ran)
// With a file "hold" beside it, it then stays until a file "release" appears there, and
// writes done.<pid> on its way out.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ownDirectory() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    const std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

std::string link(const std::string& path) {
    char buffer[4096];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : "";
}

std::string inheritedDescriptors() {
    std::string list;
    DIR* directory = opendir("/proc/self/fd");
    if (!directory)
        return "?";
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name == "0" || name == "1" || name == "2" ||
            name == std::to_string(dirfd(directory)))
            continue;
        list += (list.empty() ? "" : ",") + name;
    }
    closedir(directory);
    return list;
}

// Written under a temporary name and renamed, so a reader never sees half a file.
void publish(const std::string& path, const std::string& content) {
    const std::string partial = path + ".partial";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    std::rename(partial.c_str(), path.c_str());
}

bool exists(const std::string& path) {
    struct stat info = {};
    return stat(path.c_str(), &info) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string directory = ownDirectory();
    const std::string pid = std::to_string(getpid());

    publish(directory + "/info." + pid,
            "ppid=" + std::to_string(getppid()) + "\nsid=" + std::to_string(getsid(0)) +
                "\nstdin=" + link("/proc/self/fd/0") + "\nstdout=" + link("/proc/self/fd/1") +
                "\nfds=" + inheritedDescriptors() + "\n");
    std::string arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += argv[i];
        arguments += '\0';
    }
    publish(directory + "/argv." + pid, arguments);

    if (exists(directory + "/hold")) {
        // Bounded so that a failed test leaves nothing behind for long.
        for (int i = 0; i < 6000 && !exists(directory + "/release"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        publish(directory + "/done." + pid, "");
    }
    return 0;
}
