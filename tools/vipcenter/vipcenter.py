#!/usr/bin/env python3
"""A local VIP-centre service: the config interface, the price interface and a file server.

    vipcenter.py serve --state-dir DIR [--scenarios FILE] [--files DIR] [--port N] [--tls-port N]
    vipcenter.py start --state-dir DIR [same options]   serve in the background, print the ports
    vipcenter.py stop  --state-dir DIR                  stop what start started (by process id)

It binds to 127.0.0.1 only (port 0: any free port) and writes DIR/state.json with
{"pid", "http_port", "https_port"} once it listens. Every request it receives is appended to
DIR/requests.jsonl as one JSON object before it is answered.

Routes (the scenario is the first path segment after /s/; "name~tag" answers as "name" and is
logged with its tag, so parallel tests do not meet):
    POST /s/<scenario>/.../config   the config interface: the scenario's "config" answer
    POST /s/<scenario>/.../price    the price interface: "prices"[show id] ({"pay_price_settings": []})
    GET  /s/<scenario>/files/<name> and GET /files/<name>: a file of the files folder
    anything else under /s/<scenario>/: {"ok": true}

A scenario's "faults" maps "config", "price", "price:<show id>", "file" or "other" to one of:
    status500, garbage, invalid_utf8, huge (50 MiB), drip (never ends), close (no answer),
    truncated (shorter than announced), delay:<seconds> (then the normal answer).

--cert/--key add an HTTPS listener. certs/ holds test material only: a root (ca.pem), the
"localhost" certificate it signed (server.pem, server.key) and an unrelated root (other-ca.pem),
valid from 2020 to 2054.
"""

import argparse
import base64
import hashlib
import hmac
import json
import os
import re
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
HUGE_BYTES = 50 * 1024 * 1024
DRIP_SECONDS = 120


class Service:
    """The scenarios, the files folder and the request log shared by every connection."""

    def __init__(self, scenarios_path, files_dir, state_dir):
        with open(scenarios_path, encoding="utf-8") as f:
            document = json.load(f)
        self.key = document.get("signing_key", "").encode("utf-8")
        self.scenarios = document.get("scenarios", {})
        self.files_dir = files_dir
        self.log_path = os.path.join(state_dir, "requests.jsonl")
        self.lock = threading.Lock()
        self.sequence = 0

    def scenario(self, name):
        # "name~tag": the scenario "name", logged under the caller's own tag
        base = name.split("~", 1)[0]
        return self.scenarios.get(base, self.scenarios.get("default", {}))

    def log(self, record):
        with self.lock:
            self.sequence += 1
            record["seq"] = self.sequence
            with open(self.log_path, "a", encoding="utf-8") as f:
                f.write(json.dumps(record, ensure_ascii=False) + "\n")
                f.flush()

    def signature(self, body):
        return hmac.new(self.key, body, hashlib.md5).hexdigest()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "vipcenter/1"

    def setup(self):
        super().setup()
        # Answer at once: without this WinHTTP waits for delayed ACKs on every POST.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        if hasattr(socket, "TCP_QUICKACK"):
            self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)

    def log_message(self, format, *args):  # the JSON log replaces the console lines
        pass

    def do_GET(self):
        self.handle_request(b"")

    def do_POST(self):
        length = int(self.headers.get("Content-Length") or 0)
        self.handle_request(self.rfile.read(length) if length > 0 else b"")

    def handle_request(self, body):
        service = self.server.service
        scenario_name, rest = split_scenario(self.path)
        interface, show = classify(rest, body)
        scenario = service.scenario(scenario_name)
        fault = pick_fault(scenario.get("faults", {}), interface, show)
        service.log({
            "time_ms": int(time.time() * 1000), "scenario": scenario_name, "method": self.command, "path": self.path,
            "tls": isinstance(self.connection, ssl.SSLSocket), "interface": interface, "show": show,
            "headers": [[name, value] for name, value in self.headers.items()],
            "body": body.decode("utf-8", errors="replace"), "body_base64": base64.b64encode(body).decode("ascii"),
            "body_size": len(body), "body_hmac_md5": service.signature(body), "fault": fault or "",
        })
        status, payload = self.answer(scenario, interface, show, rest)
        self.send(status, payload, fault)

    def answer(self, scenario, interface, show, rest):
        if interface == "config":
            return 200, encode(scenario.get("config", {"data": []}))
        if interface == "price":
            prices = scenario.get("prices", {})
            return 200, encode(prices.get(str(show), {"pay_price_settings": []}))
        if interface == "file":
            return self.file_answer(rest)
        return 200, b'{"ok":true}'

    def file_answer(self, rest):
        name = rest.rsplit("/", 1)[-1]
        if not re.fullmatch(r"[A-Za-z0-9._-]+", name) or name.startswith("."):
            return 404, b"not found"
        path = os.path.join(self.server.service.files_dir or "", name)
        if not self.server.service.files_dir or not os.path.isfile(path):
            return 404, b"not found"
        with open(path, "rb") as f:
            return 200, f.read()

    def send(self, status, payload, fault):
        if fault.startswith("delay:"):
            time.sleep(float(fault.split(":", 1)[1]))
        elif fault == "close":
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
            return
        elif fault == "status500":
            status, payload = 500, b'{"error":"internal"}'
        elif fault == "garbage":
            payload = b"<html>\x00\x01 this is not JSON {{{"
        elif fault == "invalid_utf8":
            payload = payload.rstrip(b"}") + b',"note":"\xff\xfe\xc3\x28"}'
        elif fault in ("huge", "drip", "truncated"):
            return self.send_stream(fault, payload)
        self.send_response(status)
        self.send_header("Content-Type", "application/json; charset=utf-8")
        self.send_header("Content-Length", str(len(payload)))
        self.end_headers()
        self.wfile.write(payload)

    def send_stream(self, fault, payload):
        total = {"huge": HUGE_BYTES, "drip": 1024 * 1024, "truncated": len(payload) + 1000}[fault]
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(total))
        self.end_headers()
        self.close_connection = True
        try:
            if fault == "huge":
                chunk = b" " * (1024 * 1024)
                for _ in range(total // len(chunk)):
                    self.wfile.write(chunk)
            elif fault == "truncated":
                self.wfile.write(payload)
            else:
                for _ in range(DRIP_SECONDS):
                    self.wfile.write(b" ")
                    self.wfile.flush()
                    time.sleep(1)
        except OSError:
            pass  # the client gave up, as it should


def split_scenario(path):
    path = path.split("?", 1)[0]
    match = re.match(r"^/s/([^/]+)(/.*)?$", path)
    if match:
        return match.group(1), match.group(2) or "/"
    return "default", path


def classify(rest, body):
    segments = [s for s in rest.split("/") if s]
    if "files" in segments[:-1] or (segments and segments[0] == "files"):
        return "file", None
    last = segments[-1] if segments else ""
    if last == "config":
        return "config", None
    if last == "price":
        try:
            shows = json.loads(body.decode("utf-8")).get("show")
            return "price", shows[0] if isinstance(shows, list) and shows else None
        except (ValueError, AttributeError, UnicodeDecodeError):
            return "price", None
    return "other", None


def pick_fault(faults, interface, show):
    if interface == "price" and show is not None and f"price:{show}" in faults:
        return faults[f"price:{show}"]
    return faults.get(interface, "")


def encode(answer):
    if isinstance(answer, str):
        return answer.encode("utf-8")
    return json.dumps(answer, ensure_ascii=False, separators=(",", ":")).encode("utf-8")


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, port, service, tls_context=None):
        self.service = service
        self.tls_context = tls_context
        super().__init__(("127.0.0.1", port), Handler)

    def finish_request(self, request, client_address):
        if self.tls_context:
            try:
                request = self.tls_context.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return  # a client that rejects our certificate ends the connection
        super().finish_request(request, client_address)


def write_state(state_dir, state):
    temporary = os.path.join(state_dir, "state.json.tmp")
    with open(temporary, "w", encoding="utf-8") as f:
        json.dump(state, f)
    os.replace(temporary, os.path.join(state_dir, "state.json"))


def serve(options):
    os.makedirs(options.state_dir, exist_ok=True)
    service = Service(options.scenarios, options.files, options.state_dir)
    servers = [Server(options.port, service)]
    if options.cert and options.key:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(options.cert, options.key)
        servers.append(Server(options.tls_port, service, context))
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    write_state(options.state_dir, {"pid": os.getpid(), "http_port": servers[0].server_address[1],
                                    "https_port": servers[1].server_address[1] if len(servers) > 1 else 0})
    print(f"vipcenter listening on 127.0.0.1:{servers[0].server_address[1]}", flush=True)
    while not stop.wait(0.5):
        pass
    for server in servers:
        server.shutdown()
        server.server_close()
    return 0


def read_state(state_dir):
    try:
        with open(os.path.join(state_dir, "state.json"), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return None


def start(options, argv):
    os.makedirs(options.state_dir, exist_ok=True)
    stop(options)
    for name in ("state.json", "requests.jsonl"):
        try:
            os.remove(os.path.join(options.state_dir, name))
        except FileNotFoundError:
            pass
    arguments = [sys.executable, os.path.abspath(__file__), "serve"] + argv
    with open(os.path.join(options.state_dir, "service.out"), "ab") as out:
        child = subprocess.Popen(arguments, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                 start_new_session=True)
    for _ in range(200):
        state = read_state(options.state_dir)
        if state and state.get("pid") == child.pid:
            print(json.dumps(state))
            return 0
        if child.poll() is not None:
            break
        time.sleep(0.05)
    print("vipcenter did not start; see service.out", file=sys.stderr)
    return 1


def stop(options):
    state = read_state(options.state_dir)
    if not state:
        return 0
    pid = int(state.get("pid", 0))
    try:
        os.kill(pid, signal.SIGTERM)
    except (ProcessLookupError, PermissionError):
        return 0
    for _ in range(100):
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            break
        time.sleep(0.05)
    os.remove(os.path.join(options.state_dir, "state.json"))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["serve", "start", "stop"])
    parser.add_argument("--state-dir", required=True)
    parser.add_argument("--scenarios", default=os.path.join(HERE, "scenarios.json"))
    parser.add_argument("--files", default="")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--tls-port", type=int, default=0)
    parser.add_argument("--cert", default="")
    parser.add_argument("--key", default="")
    options = parser.parse_args()
    if options.command == "serve":
        return serve(options)
    if options.command == "start":
        return start(options, sys.argv[2:])
    return stop(options)


if __name__ == "__main__":
    sys.exit(main())
