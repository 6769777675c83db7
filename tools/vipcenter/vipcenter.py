#!/usr/bin/env python3
"""A local VIP-centre service: the config interface, the price interface and a file server.

    vipcenter.py serve --state-dir DIR [--scenarios FILE] [--files DIR] [--port N] [--tls-port N]
    vipcenter.py start --state-dir DIR [same options]   serve in the background, print the ports
    vipcenter.py stop  --state-dir DIR                  stop what start started (by process id), then check
    vipcenter.py check --state-dir DIR                  print the unexpected contract violations, exit 1 if any

It binds to 127.0.0.1 only (port 0: any free port) and writes DIR/state.json with
{"pid", "http_port", "https_port"} once it listens. Every request it receives is appended to
DIR/requests.jsonl as one JSON object before it is answered.

Routes (the scenario is the first path segment after /s/; "name~tag" answers as "name" and is
logged with its tag, so parallel tests do not meet):
    POST /s/<scenario>/.../config   the config interface: the scenario's "config" answer
    POST /s/<scenario>/.../price    the price interface: "prices"[show id] ({"pay_price_settings": []})
    GET  /s/<scenario>/files/<name> and GET /files/<name>: a file of the files folder
    anything else under /s/<scenario>/: {"ok": true}

The config and price requests are held to the module's contract: POST to ".../api/v2/<name>" (the
Tessik host) or ".../center/<name>" (the Orbilant host), the JSON body of that host and interface,
"Content-Type" and "Accept", the three signed "X-Qm-*" headers on the Orbilant price request only,
and no other header but those the transport adds (TRANSPORT_HEADERS). A request that breaks it is
answered 400 {"error": "contract", "violations": [...]} instead of the scenario's answer (faults
apply to valid requests only), logged with a "violations" member and also appended to
DIR/violations.jsonl. stop and check fail on any of them unless the scenario declares
"expect_violations": true (a test that sends a bad request on purpose).

A scenario's "faults" maps "config", "price", "price:<show id>", "file" or "other" to one of:
    status500, garbage, invalid_utf8, huge (50 MiB), drip (never ends), close (no answer),
    truncated (shorter than announced), delay:<seconds> (then the normal answer).

--cert/--key add an HTTPS listener. certs/ holds test material only: a root (ca.pem), the
"localhost" certificate it signed (server.pem, server.key) and an unrelated root (other-ca.pem),
valid from 2020 to 2054.
"""

import argparse
import base64
import collections
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

# What Wine's WinHTTP adds on its own to the netvok stand-in's POST (Host, Content-Length,
# Connection: Keep-Alive; no Accept-Encoding without decompression, no Pragma or Cache-Control
# without WINHTTP_FLAG_REFRESH) and the client's default User-Agent. Anything else is the module's.
TRANSPORT_HEADERS = {"host", "content-length", "connection", "user-agent"}
CONTRACT_HEADERS = {"content-type": "application/json; charset=utf-8", "accept": "application/json"}
SIGNED_HEADERS = ("x-qm-productid", "x-qm-gray-key", "x-qm-authorization")
INT32 = range(-2 ** 31, 2 ** 31)


class Service:
    """The scenarios, the files folder and the request log shared by every connection."""

    def __init__(self, scenarios_path, files_dir, state_dir):
        with open(scenarios_path, encoding="utf-8") as f:
            document = json.load(f)
        self.key = document.get("signing_key", "").encode("utf-8")
        self.scenarios = document.get("scenarios", {})
        self.files_dir = files_dir
        self.log_path = os.path.join(state_dir, "requests.jsonl")
        self.violations_path = os.path.join(state_dir, "violations.jsonl")
        self.lock = threading.Lock()
        self.sequence = 0

    def scenario(self, name):
        # "name~tag": the scenario "name", logged under the caller's own tag
        base = name.split("~", 1)[0]
        return self.scenarios.get(base, self.scenarios.get("default", {}))

    def log(self, record, expected=False):
        with self.lock:
            self.sequence += 1
            record["seq"] = self.sequence
            with open(self.log_path, "a", encoding="utf-8") as f:
                f.write(json.dumps(record, ensure_ascii=False) + "\n")
                f.flush()
            if "violations" in record:
                # "expected" is decided here, where the scenarios are known, so stop needs no scenarios file.
                entry = {"seq": record["seq"], "scenario": record["scenario"], "path": record["path"],
                         "violations": record["violations"], "expected": expected}
                with open(self.violations_path, "a", encoding="utf-8") as f:
                    f.write(json.dumps(entry, ensure_ascii=False) + "\n")

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
        violations = []
        if interface in ("config", "price"):
            violations = contract_violations(self.command, self.path, rest, self.headers.items(), body,
                                             service.signature(body))
        fault = "" if violations else pick_fault(scenario.get("faults", {}), interface, show)
        record = {
            "time_ms": int(time.time() * 1000), "scenario": scenario_name, "method": self.command, "path": self.path,
            "tls": isinstance(self.connection, ssl.SSLSocket), "interface": interface, "show": show,
            "headers": [[name, value] for name, value in self.headers.items()],
            "body": body.decode("utf-8", errors="replace"), "body_base64": base64.b64encode(body).decode("ascii"),
            "body_size": len(body), "body_hmac_md5": service.signature(body), "fault": fault or "",
        }
        if violations:
            record["violations"] = violations
        service.log(record, scenario.get("expect_violations") is True)
        if violations:
            return self.send(400, encode({"error": "contract", "violations": violations}), "")
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


def is_int(value):
    return type(value) is int and value in INT32  # bool is an int in Python, not in JSON


def is_decimal(value):
    return isinstance(value, str) and re.fullmatch(r"0|-?[1-9][0-9]*", value) is not None and int(value) in INT32


def exactly(wanted):
    return (lambda value: type(value) is type(wanted) and value == wanted), json.dumps(wanted)


STRING = (lambda value: isinstance(value, str), "a string")
DECIMAL = (is_decimal, "a signed decimal string")
INTEGER = (is_int, "a 32-bit integer")
SHOW = (lambda value: type(value) is list and len(value) == 1 and is_int(value[0]) and value[0] > 0,
        "an array of one show id")


def body_shape(host, interface):
    """The members of a body; None marks a member the unknown host leaves open."""
    if interface == "config":
        common = {"open_id": STRING, "token": STRING, "server_id": STRING, "tryno": DECIMAL}
        return {"common": common, "type": STRING, "name": STRING}
    common = {"uuid": STRING, "server_id": STRING, "user_agent": exactly("web"), "tryno": DECIMAL,
              "tid1": INTEGER, "tid2": INTEGER, "tod1": INTEGER, "tod2": INTEGER}
    shape = {"common": common, "open_id": STRING, "show": SHOW, "time_type": exactly(0),
             "is_continuous": exactly(0), "is_all": exactly(1)}
    if host != "orbilant":
        shape["token"] = STRING if host else None
    if host != "tessik":
        shape["with_permission_show"] = exactly(False) if host else None
    return shape


def member_violations(value, shape, prefix=""):
    found = []
    for name, rule in shape.items():
        if rule is None:
            continue
        if name not in value:
            found.append(f"member {prefix}{name} missing")
        elif isinstance(rule, dict):
            if isinstance(value[name], dict):
                found += member_violations(value[name], rule, prefix + name + ".")
            else:
                found.append(f"member {prefix}{name} is not an object")
        elif not rule[0](value[name]):
            found.append(f"member {prefix}{name} is not {rule[1]}: {json.dumps(value[name], ensure_ascii=False)[:40]}")
    found += [f"stray member {prefix}{name}" for name in sorted(value.keys() - shape.keys())]
    return found


def parse_body(body, found):
    def members(pairs):
        counts = collections.Counter(name for name, _ in pairs)
        found.extend(f"member {name} appears {n} times" for name, n in counts.items() if n > 1)
        return dict(pairs)

    def constant(name):
        raise ValueError(name)

    try:
        document = json.loads(body.decode("utf-8"), object_pairs_hook=members, parse_constant=constant)
    except UnicodeDecodeError:
        found.append("body is not UTF-8")
        return None
    except (ValueError, RecursionError):
        found.append("body is not JSON")
        return None
    if not isinstance(document, dict):
        found.append("body is not a JSON object")
        return None
    return document


def header_violations(headers, signed, tryno, signature):
    found = []
    allowed = TRANSPORT_HEADERS | CONTRACT_HEADERS.keys() | (set(SIGNED_HEADERS) if signed else set())
    counts = collections.Counter(name.lower() for name, _ in headers)
    found += [f"header {name} sent {n} times" for name, n in counts.items() if n > 1]
    found += [f"unexpected header {name}" for name, _ in headers if name.lower() not in allowed]
    values = {name.lower(): value for name, value in headers}
    wanted = dict(CONTRACT_HEADERS)
    if signed:
        wanted.update({"x-qm-productid": "2", "x-qm-gray-key": None, "x-qm-authorization": signature})
    for name, value in wanted.items():
        if name not in values:
            found.append(f"header {name} missing")
        elif name == "x-qm-gray-key":
            # The body's tryno; when that is unreadable (already reported) any decimal will do.
            if not is_decimal(values[name]) or (is_decimal(tryno) and values[name] != tryno):
                found.append(f"header {name} is {values[name]!r}, not the body's tryno {tryno!r}"[:120])
        elif values[name] != value:
            found.append(f"header {name} is {values[name]!r}, not {value!r}"[:120])
    return found


def contract_violations(method, path, rest, headers, body, signature):
    """How a config or price request breaks the module's contract; empty when it keeps it."""
    segments = [s for s in rest.split("/") if s]
    interface = segments[-1]
    host = "tessik" if segments[-3:-1] == ["api", "v2"] else "orbilant" if segments[-2:-1] == ["center"] else None
    found = []
    if method != "POST":
        found.append(f"method {method}, not POST")
    if "?" in path:
        found.append("query string on an interface URL")
    if host is None:
        found.append(f"path names neither host: .../api/v2/{interface} or .../center/{interface}")
    document = parse_body(body, found)
    if document is not None:
        found += member_violations(document, body_shape(host, interface))
    common = document.get("common") if document else None
    tryno = common.get("tryno") if isinstance(common, dict) else None
    found += header_violations(list(headers), host == "orbilant" and interface == "price", tryno, signature)
    return found


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
    stop_server(options)
    for name in ("state.json", "requests.jsonl", "violations.jsonl"):
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


def stop_server(options):
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


def unexpected_violations(state_dir):
    try:
        with open(os.path.join(state_dir, "violations.jsonl"), encoding="utf-8") as f:
            lines = [line for line in f if line.strip()]
    except FileNotFoundError:
        return []
    found = []
    for line in lines:
        try:
            entry = json.loads(line)
        except ValueError:  # a torn line hides a violation rather than clearing one
            entry = {"seq": "?", "scenario": "?", "path": "?", "violations": ["unreadable journal line"]}
        if entry.get("expected") is not True:
            found.append(entry)
    return found


def check(options):
    found = unexpected_violations(options.state_dir)
    for entry in found:
        print(f"vipcenter: contract violation, request {entry.get('seq')} of scenario {entry.get('scenario')} "
              f"({entry.get('path')}): " + "; ".join(map(str, entry.get("violations", []))), flush=True)
    if found:
        print(f"vipcenter: {len(found)} request(s) broke the contract "
              f"(see {os.path.join(options.state_dir, 'violations.jsonl')})", flush=True)
    return 1 if found else 0


def stop(options):
    stop_server(options)
    return check(options)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["serve", "start", "stop", "check"])
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
    if options.command == "check":
        return check(options)
    return stop(options)


if __name__ == "__main__":
    sys.exit(main())
