#include <vantrel/seam/process_launch.h>

#include <sys/types.h>
#include <sys/wait.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool vtl::startDetached(const char* program, const char* argument)
{
    if (!program)
        return false;
    // A grandchild does the work; the child ends at once and is collected
    // here, so the game keeps no zombie and its own SIGCHLD handling (if
    // any) sees one short-lived child.
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            char* const args[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
            execvp(program, args);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

bool vtl::openWebAddress(const char* address) { return address && startDetached("xdg-open", address); }
