"""A private dictd on the loopback interface over Debian's FreeDict databases, and a small
DICT protocol client. Used by the FreeDict agreement check and the lookup benchmark; it never
touches a system dictd."""

import os
import shutil
import socket
import subprocess
import tempfile
import time


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class LocalDictd:
    """Starts dictd with its own configuration for the given databases; stop() ends it."""

    def __init__(self, data_dir, databases):
        self.dir = tempfile.mkdtemp(prefix="wordmere-dictd-")
        # dictd gives up its privileges after start-up; its log and pid file must stay writable.
        os.chmod(self.dir, 0o777)
        self.port = free_port()
        config = os.path.join(self.dir, "dictd.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write("global {\n  listen_to 127.0.0.1\n  port %d\n}\n" % self.port)
            for db in databases:
                stem = os.path.join(data_dir, "freedict-" + db)
                f.write('database %s {\n  data "%s.dict.dz"\n  index "%s.index"\n}\n'
                        % (db, stem, stem))
        self.process = subprocess.Popen(
            ["dictd", "-c", config, "-d", "nodetach", "--locale", "C.UTF-8",
             "-p", str(self.port), "--listen-to", "127.0.0.1",
             "--pid-file", os.path.join(self.dir, "dictd.pid"),
             "-L", os.path.join(self.dir, "dictd.log")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while True:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                break
            except OSError:
                if self.process.poll() is not None or time.time() > deadline:
                    self.stop()
                    raise RuntimeError("dictd did not start (see %s)" % self.dir)
                time.sleep(0.1)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


def quote(word):
    return '"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"'


class DictClient:
    """DEFINE over one connection (RFC 2229)."""

    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=30)
        self.file = self.sock.makefile("rb")
        self._status()  # 220 banner
        self.sock.sendall(b"CLIENT wordmere-check\r\n")
        self._status()

    def _line(self):
        line = self.file.readline()
        if not line:
            raise RuntimeError("dictd closed the connection")
        return line.decode("utf-8").rstrip("\r\n")

    def _status(self):
        line = self._line()
        return int(line[:3]), line

    def define(self, database, word):
        """The article texts dictd serves for the word, in its order."""
        return self.define_many([(database, word)])[0]

    def define_many(self, requests, batch=20):
        """define() of many (database, word) requests, sent a batch at a time: one request
        after another would wait for the network's delayed acknowledgements every time."""
        results = []
        for start in range(0, len(requests), batch):
            part = requests[start:start + batch]
            self.sock.sendall("".join("DEFINE %s %s\r\n" % (db, quote(word))
                                      for db, word in part).encode("utf-8"))
            for db, word in part:
                results.append(self._read_definitions(db, word))
        return results

    def _read_definitions(self, database, word):
        code, line = self._status()
        if code == 552:
            return []
        if code != 150:
            raise RuntimeError("DEFINE %s %s: %s" % (database, word, line))
        articles = []
        while True:
            code, line = self._status()
            if code == 250:
                return articles
            if code != 151:
                raise RuntimeError("DEFINE %s %s: %s" % (database, word, line))
            lines = []
            while True:
                text = self._line()
                if text == ".":
                    break
                lines.append(text[1:] if text.startswith("..") else text)
            articles.append("\n".join(lines) + "\n")

    def close(self):
        try:
            self.sock.sendall(b"QUIT\r\n")
        except OSError:
            pass
        self.sock.close()


def index_words(data_dir, database):
    """The words of a dictd index, without dictd's own information entries."""
    words = []
    with open(os.path.join(data_dir, "freedict-%s.index" % database), encoding="utf-8") as f:
        for line in f:
            word = line.split("\t", 1)[0]
            if not word.startswith("00database") and not word.startswith("00-database"):
                words.append(word)
    return words
