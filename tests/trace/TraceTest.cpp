// The bus trace's own failures. (Its lines are checked through kv3124ctl --trace.)
#include "EvalDialogFixture.h"

#include "adapter/AdapterConnection.h"
#include "ptx/Trace.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

using TraceTest = EvalDialogFixture;

// A trace that cannot be written goes off and the calls go on; it says so once, unless its reader went away.
TEST_F(TraceTest, AFailingTraceGoesOffSayingSoOnceUnlessItsReaderLeft)
{
    std::signal(SIGPIPE, SIG_IGN); // as the programs do
    int readerGone[2];
    ASSERT_EQ(::pipe(readerGone), 0);
    ::close(readerGone[0]);
    const std::pair<int, std::string> cases[] {
        { readerGone[1], "" },
        { ::open("/dev/full", O_WRONLY | O_CLOEXEC),
            std::string(program_invocation_short_name)
                + ": the trace could not be written (No space left on device); going on without it\n" },
    };
    for (const auto& [fd, told] : cases) {
        SCOPED_TRACE(told);
        unsigned char rfw = 0;
        ::testing::internal::CaptureStderr();
        ptxTraceTo(fd);
        EXPECT_EQ(adapterInit(rfw), 0);
        adapterRelease();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), told);
        EXPECT_FALSE(ptx::trace::on());
        ::close(fd);
    }
}
