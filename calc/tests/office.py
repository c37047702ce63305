# A headless LibreOffice with the Kelvora extension, for the Calc tests and the benchmark: a fresh
# user profile in a temporary folder, the .oxt unpacked into a folder of bundled extensions of
# its own (the layout the libreoffice-kelvora package installs), soffice listening on a pipe of
# its own, and a hidden spreadsheet. Every failure raises; nothing is skipped.
import os
import shutil
import signal
import subprocess
import tempfile
import time
import zipfile
from contextlib import contextmanager

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

OFFICE = "/usr/lib/libreoffice/program"
START_SECONDS = 90


class OfficeError(RuntimeError):
    pass


def _connect(pipe, office):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local
    )
    deadline = time.monotonic() + START_SECONDS
    while True:
        try:
            return resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
        except NoConnectException:
            if office.poll() is not None:
                raise OfficeError(f"soffice ended with status {office.returncode} before answering")
            if time.monotonic() > deadline:
                raise OfficeError(f"soffice did not answer within {START_SECONDS} s")
            time.sleep(0.25)


@contextmanager
def spreadsheet(oxt):
    """A new hidden Calc document in an office that has `oxt` installed: (component context,
    document, process id of the office)."""
    if not os.path.isfile(oxt):
        raise OfficeError(f"no extension {oxt}: the Calc add-in was not built")
    profile = tempfile.mkdtemp(prefix="kelvora-calc-")
    try:
        bundled = os.path.join(profile, "extensions")
        with zipfile.ZipFile(oxt) as packed:
            packed.extractall(os.path.join(bundled, "kelvora"))
        with office_document(os.path.join(profile, "user"), bundled) as opened:
            yield opened
    finally:
        shutil.rmtree(profile, ignore_errors=True)


@contextmanager
def office_document(user, bundled):
    """A new hidden Calc document in an office with the user profile folder `user` (made when
    missing) and the bundled extensions of the folder `bundled` in place of the system's."""
    env = dict(os.environ, HOME=os.path.dirname(user), SAL_USE_VCLPLUGIN="svp")
    pipe = f"kelvora_calc_{os.getpid()}"
    office = subprocess.Popen(
        [f"{OFFICE}/soffice", "--headless", "--invisible", "--nologo", "--norestore",
         "--nodefault", "--nolockcheck", f"-env:UserInstallation=file://{user}",
         f"-env:BUNDLED_EXTENSIONS=file://{bundled}", f"--accept=pipe,name={pipe};urp;"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        context = _connect(pipe, office)
        desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)
        hidden = PropertyValue()
        hidden.Name, hidden.Value = "Hidden", True
        document = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (hidden,))
        try:
            yield context, document, office.pid
        finally:
            document.close(True)
            try:
                desktop.terminate()
            except Exception:  # the bridge goes down with the office
                pass
    finally:
        try:
            office.wait(timeout=30)
        except subprocess.TimeoutExpired:
            pass
        # soffice runs the office as a child of its own; none of the group outlives the test.
        try:
            os.killpg(office.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        office.wait()
