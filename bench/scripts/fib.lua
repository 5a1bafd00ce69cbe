-- Recursive calls: fib(30), long enough that the process start-up does not decide the ratio.
local function fib(n)
  if n < 2 then
    return n
  end
  return fib(n - 1) + fib(n - 2)
end
print(fib(30))
